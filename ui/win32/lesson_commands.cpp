// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/lesson_commands.h"

#include "version.h"

#include <commdlg.h>
#include <filesystem>
#include <optional>
#include <string>

namespace keyloom {
namespace {

std::optional<std::u16string> clipboardText(HWND window) {
    if (OpenClipboard(window) == FALSE) {
        return std::nullopt;
    }
    std::optional<std::u16string> text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
            // No further than the memory block, whether or not it ends in NUL.
            const std::size_t most = GlobalSize(data) / sizeof(char16_t);
            std::size_t length = 0;
            while (length < most && chars[length] != u'\0') {
                ++length;
            }
            text.emplace(chars, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

} // namespace

NewLessonActions LessonCommands::actions(HWND window) const {
    return {.startNewRun =
                [this, window](const std::u16string& text, const std::u16string& textName) {
                    start_(window, text, textName, OldWindow::Replace);
                },
            .tell =
                [window](const std::u16string& message) {
                    MessageBoxW(window, wide(message).c_str(), wide(kApplicationTitle).c_str(),
                                MB_OK | MB_ICONWARNING);
                }};
}

void LessonCommands::run(HWND window, LessonCommand command) const {
    switch (command) {
    case LessonCommand::Restart: restartLesson(state_, actions(window)); break;
    case LessonCommand::LoadClipboard:
        loadClipboardText(clipboardText(window), actions(window));
        break;
    case LessonCommand::OpenFile: chooseFile(window); break;
    }
}

// The dialog adds nothing to the recent documents and leaves the current
// folder alone.
void LessonCommands::chooseFile(HWND window) const {
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = L"打开课文";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    if (GetOpenFileNameW(&dialog) == FALSE) {
        return;
    }
    file.resize(file.find(L'\0'));
    openLessonFile(std::filesystem::path(file), actions(window));
}

void LessonCommands::drop(HWND window, HDROP files) const {
    std::optional<std::filesystem::path> first;
    if (DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0) > 0) {
        std::wstring name(DragQueryFileW(files, 0, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(files, 0, name.data(), static_cast<UINT>(name.size())));
        first = std::filesystem::path(name);
    }
    DragFinish(files);
    if (first) {
        openLessonFile(*first, actions(window));
    }
}

} // namespace keyloom
