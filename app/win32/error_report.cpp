// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/error_report.h"
#include "version.h"

#include <string>
#include <windows.h>

namespace keyloom {
namespace {

std::wstring fromUtf8(const char* text) {
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), needed);
    wide.resize(static_cast<std::size_t>(needed - 1));
    return wide;
}

} // namespace

void reportError(const std::exception& error) {
    const std::u16string_view title = kApplicationTitle;
    const std::wstring caption(title.begin(), title.end());
    MessageBoxW(nullptr, fromUtf8(error.what()).c_str(), caption.c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace keyloom
