// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/win32/typing_box.h"

#include "practice/frm_main.h"

#include <algorithm>
#include <imm.h>
#include <stdexcept>
#include <utility>

namespace keyloom {
namespace {

constexpr LPARAM kResultFlags =
    GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;

// Messages that edit the box without typing, or let the user pick a place.
bool neverReachesTheBox(UINT message) {
    switch (message) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE: return true;
    default: return false;
    }
}

} // namespace

Counter currentShiftState() {
    Counter shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= kShiftMask;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= kCtrlMask;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= kAltMask;
    }
    return shift;
}

TypingBox::TypingBox(HWND parent, RECT box, int id, TextBox& model, Hooks hooks)
    : model_(model), hooks_(std::move(hooks)),
      rules_(model, {.keyDown = [this](Counter code,
                                       Counter shift) { return hooks_.onKeyDown(code, shift); },
                     .changed =
                         [this] {
                             showText();
                             hooks_.onChange();
                         },
                     .hasFocus = [this] { return focused(); },
                     .cancelComposition = [this] { cancelComposition(); },
                     // The parent hands the focus straight back to the box.
                     .handFocusOver = [this] { SetFocus(GetParent(edit_)); },
                     .runCommand =
                         [this](ProgramCommand command) {
                             if (hooks_.onCommand) {
                                 hooks_.onCommand(command);
                             }
                         }}) {
    edit_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
        box.left, box.top, box.right - box.left, box.bottom - box.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (edit_ == nullptr) {
        throw std::runtime_error("cannot create the typing box");
    }
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0); // the box has no length limit
    SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)));
    showText();
}

void TypingBox::setLocked(bool locked) const {
    SendMessageW(edit_, EM_SETREADONLY, locked ? TRUE : FALSE, 0);
}

bool TypingBox::focused() const {
    return GetFocus() == edit_ && GetActiveWindow() == GetAncestor(edit_, GA_ROOT);
}

// The control follows the model, which the rules change at its end only.
void TypingBox::showText() {
    const std::u16string& text = model_.text;
    const std::size_t from = std::min(shownUnits_, text.size());
    const std::wstring added(text.begin() + static_cast<std::ptrdiff_t>(from), text.end());
    callEdit(EM_SETSEL, from, static_cast<LPARAM>(shownUnits_));
    callEdit(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    shownUnits_ = text.size();
}

void TypingBox::caretMoved(POINT caret, int caretHeight) {
    imeCaret_ = caret;
    imeCaretHeight_ = caretHeight;
    placeInputMethod();
}

void TypingBox::placeInputMethod() const {
    // The input method's positions are in the box's own client coordinates.
    const int caretHeight = imeCaretHeight_;
    POINT inBox = imeCaret_;
    MapWindowPoints(GetParent(edit_), edit_, &inBox, 1);
    const HIMC context = ImmGetContext(edit_);
    if (context == nullptr) {
        return;
    }
    COMPOSITIONFORM composition{};
    composition.dwStyle = CFS_POINT | CFS_FORCE_POSITION;
    composition.ptCurrentPos = inBox;
    ImmSetCompositionWindow(context, &composition);
    CANDIDATEFORM candidate{};
    candidate.dwIndex = 0;
    candidate.dwStyle = CFS_EXCLUDE;
    candidate.ptCurrentPos = {inBox.x, inBox.y + caretHeight};
    candidate.rcArea = {inBox.x, inBox.y, inBox.x + 1, inBox.y + caretHeight};
    ImmSetCandidateWindow(context, &candidate);
    ImmReleaseContext(edit_, context);
}

void TypingBox::cancelComposition() const {
    const HIMC context = ImmGetContext(edit_);
    if (context != nullptr) {
        ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
        ImmReleaseContext(edit_, context);
    }
}

std::u16string TypingBox::compositionResult() const {
    const HIMC context = ImmGetContext(edit_);
    if (context == nullptr) {
        return {};
    }
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::wstring result(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(wchar_t) : 0, L'\0');
    if (!result.empty()) {
        ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
    }
    ImmReleaseContext(edit_, context);
    return {result.begin(), result.end()};
}

// A character beyond the BMP comes as two messages, one per surrogate: the
// first is kept until the second arrives. False while a character is open.
bool TypingBox::pairUp(WPARAM unit, std::u16string& character) {
    const auto u = static_cast<char16_t>(unit & 0xFFFFU);
    if (u >= 0xD800 && u <= 0xDBFF) {
        pendingHighSurrogate_ = u;
        return false;
    }
    character.clear();
    if (pendingHighSurrogate_ != 0 && u >= 0xDC00 && u <= 0xDFFF) {
        character.push_back(pendingHighSurrogate_);
    }
    pendingHighSurrogate_ = 0;
    character.push_back(u);
    return true;
}

LRESULT CALLBACK TypingBox::subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<TypingBox*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    return box->handle(message, wParam, lParam);
}

LRESULT TypingBox::callEdit(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(editProc_, edit_, message, wParam, lParam);
}

// The rules apply every key and character themselves; the control gets only
// what it needs to keep the input method's context and the system keys.
LRESULT TypingBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hooks_.onMessage) {
        hooks_.onMessage(message, wParam);
    }
    if (neverReachesTheBox(message)) {
        return 0;
    }
    std::u16string character;
    switch (message) {
    case WM_KEYDOWN:
        rules_.keyDown(static_cast<Counter>(wParam & 0xFFFFU), currentShiftState());
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 and the window menu are Windows' own, not the box's.
        if (rules_.keyDown(static_cast<Counter>(wParam & 0xFFFFU), currentShiftState())) {
            return DefWindowProcW(edit_, message, wParam, lParam);
        }
        return 0;
    case WM_CHAR:
        if (pairUp(wParam, character)) {
            rules_.keyText(character);
        }
        return 0;
    case WM_IME_STARTCOMPOSITION:
        rules_.inputMethod({.composing = true});
        placeInputMethod();
        return callEdit(message, wParam, lParam);
    case WM_IME_COMPOSITION:
        // A result is split into characters here, as Windows' own EDIT may
        // take it whole: the control gets the composition without it.
        if ((lParam & GCS_RESULTSTR) != 0) {
            rules_.inputMethod({.commit = compositionResult(), .composing = true});
            return callEdit(message, wParam, lParam & ~kResultFlags);
        }
        rules_.inputMethod({.composing = true});
        return callEdit(message, wParam, lParam);
    case WM_IME_ENDCOMPOSITION:
        rules_.inputMethod({.composing = false});
        return callEdit(message, wParam, lParam);
    case WM_IME_CHAR:
        // Typed here: the default would post a WM_CHAR as well.
        if (pairUp(wParam, character)) {
            rules_.inputMethod({.commit = character, .composing = rules_.composing()});
        }
        return 0;
    case WM_KILLFOCUS: rules_.focusLost(); return callEdit(message, wParam, lParam);
    default: return callEdit(message, wParam, lParam);
    }
}

} // namespace keyloom
