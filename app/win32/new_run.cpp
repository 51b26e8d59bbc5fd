// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/win32/new_run.h"

#include "app/win32/program_path.h"
#include "app/win32/text_pipe.h"
#include "practice/lesson_file.h"
#include "version.h"

#include <array>
#include <stdexcept>

namespace keyloom {
namespace {

// How long a new run may take to show its window before the old one gives up
// waiting for it and stays.
constexpr DWORD kStartTimeoutMs = 20000;

class Handle {
  public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    [[nodiscard]] HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }
    void reset() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
        handle_ = nullptr;
    }

  private:
    HANDLE handle_;
};

void tell(HWND window, const wchar_t* message) {
    const std::u16string_view title = kApplicationTitle;
    MessageBoxW(window, message, std::wstring(title.begin(), title.end()).c_str(),
                MB_OK | MB_ICONWARNING);
}

// One argument as CommandLineToArgvW reads it back: quoted when it holds a
// space, a tab or a quote, its backslashes doubled only before a quote.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        out.push_back(c);
        backslashes = 0;
    }
    out.append(backslashes * 2, L'\\');
    out.push_back(L'"');
    return out;
}

// Starts the new run; false when it could not be started or ended before
// its window was up.
bool handOver(HWND window, const std::string& bytes, OldWindow old,
              const std::vector<std::wstring>& arguments) {
    // The text is in the pipe before the new run exists: ended or killed
    // from here on, this program can no longer cut it.
    Handle input(filledPipe(bytes));
    if (input.get() == nullptr) {
        return false;
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    const WindowPlace place = newWindowPlace({.x = frame.left, .y = frame.top}, old);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USEPOSITION;
    startup.dwX = static_cast<DWORD>(place.x);
    startup.dwY = static_cast<DWORD>(place.y);
    startup.hStdInput = input.get();
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const std::wstring program = programPath();
    std::wstring commandLine = quoted(program);
    for (const std::wstring& argument : arguments) {
        commandLine += L" " + quoted(argument);
    }
    commandLine += L" -";
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &started) == FALSE) {
        return false;
    }
    const Handle process(started.hProcess);
    const Handle thread(started.hThread);
    input.reset();
    AllowSetForegroundWindow(started.dwProcessId);
    WaitForInputIdle(process.get(), kStartTimeoutMs);
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

} // namespace

void startNewRun(HWND window, const std::u16string& text, OldWindow old,
                 const std::vector<std::wstring>& arguments) {
    if (!handOver(window, handOverBytes(text), old, arguments)) {
        tell(window, L"新的练习没能开始，这次练习照旧继续。");
        return;
    }
    if (old == OldWindow::Replace) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

std::optional<POINT> placeLikeStarter() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if ((startup.dwFlags & STARTF_USEPOSITION) == 0) {
        return std::nullopt;
    }
    return POINT{static_cast<LONG>(startup.dwX), static_cast<LONG>(startup.dwY)};
}

LessonBytes readStandardInput() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    LessonBytes lesson;
    std::array<char, 65536> chunk{};
    for (;;) {
        DWORD got = 0;
        if (ReadFile(input, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) ==
            FALSE) {
            // A pipe whose writer has closed it ends so; anything else is no
            // input at all.
            if (GetLastError() == ERROR_BROKEN_PIPE) {
                break;
            }
            throw LessonFileError("无法读取标准输入上的课文", "-");
        }
        if (got == 0 || !lesson.take({chunk.data(), got})) {
            break;
        }
    }
    return lesson;
}

} // namespace keyloom
