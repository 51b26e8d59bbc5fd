// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <type_traits>
#include <windows.h>

namespace keyloom {

// Windows calls a window's procedure, a plain function; these hand its
// messages to the C++ object that owns the window, kept in the window's slot
// `Slot` (GWLP_USERDATA, or DWLP_USER of a dialog).

template <class Owner> void attachOwner(HWND window, Owner* owner, int slot = GWLP_USERDATA) {
    SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(owner));
}

template <class Owner> Owner* attachedOwner(HWND window, int slot = GWLP_USERDATA) {
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, slot));
}

// The procedure of windows owned by `Owner`: the owner comes with the
// window's creation (WM_NCCREATE's creation parameter, or WM_INITDIALOG's
// lParam), or was attached before (a subclassed control); it learns its
// window through `Window` and gets every message through `Handle`. An
// exception goes to `Failed`, whose result is returned: nothing unwinds
// through Windows' frames. Before an owner is attached, the default
// procedure answers (FALSE for a dialog).
template <class Owner, auto Handle, auto Failed, HWND Owner::*Window, int Slot = GWLP_USERDATA>
std::invoke_result_t<decltype(Handle), Owner&, UINT, WPARAM, LPARAM>
    CALLBACK ownedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr bool kDialog = Slot == DWLP_USER;
    Owner* owner = nullptr;
    if (message == WM_NCCREATE && !kDialog) {
        owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    } else if (message == WM_INITDIALOG && kDialog) {
        owner = reinterpret_cast<Owner*>(lParam);
    }
    if (owner != nullptr) {
        owner->*Window = window;
        attachOwner(window, owner, Slot);
    }
    owner = attachedOwner<Owner>(window, Slot);
    if (owner == nullptr) {
        if constexpr (kDialog) {
            return FALSE;
        } else {
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }
    try {
        return (owner->*Handle)(message, wParam, lParam);
    } catch (const std::exception& error) {
        return (owner->*Failed)(error);
    }
}

} // namespace keyloom
