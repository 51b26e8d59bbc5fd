// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_files.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

namespace keyloom {
namespace {

constexpr std::string_view kLockFileName = "journal.lock";
constexpr DWORD kPiece = 64 * 1024;

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

[[noreturn]] void fail(const std::filesystem::path& path, DWORD error = GetLastError()) {
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring text = message != nullptr ? message : L"";
    LocalFree(message);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
        text.pop_back();
    }
    throw JournalError(utf8(path.wstring()) + ": " +
                       (text.empty() ? "error " + std::to_string(error) : utf8(text)));
}

// A handle closed when it goes.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    [[nodiscard]] HANDLE get() const { return handle_; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

  private:
    HANDLE handle_;
};

HANDLE openOrFail(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    HANDLE handle =
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fail(path);
    }
    return handle;
}

void writeAll(HANDLE handle, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30U));
        if (WriteFile(handle, bytes.data(), chunk, &written, nullptr) == 0 || written == 0) {
            fail(path);
        }
        bytes.remove_prefix(written);
    }
}

class FileLock : public JournalLock {
  public:
    explicit FileLock(const std::filesystem::path& path)
        : file_(openOrFail(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS)) {
        OVERLAPPED whole{};
        if (LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) == 0) {
            fail(path);
        }
    }

  private:
    Handle file_; // closing it lets the lock go
};

class RenameReplacement : public JournalReplacement {
  public:
    explicit RenameReplacement(std::filesystem::path path)
        : path_(std::move(path)), temporary_(path_.wstring() + L".new"),
          file_(openOrFail(temporary_, GENERIC_WRITE, CREATE_ALWAYS)) {}
    RenameReplacement(const RenameReplacement&) = delete;
    RenameReplacement& operator=(const RenameReplacement&) = delete;
    ~RenameReplacement() override {
        if (!committed_) {
            DeleteFileW(temporary_.c_str());
        }
    }
    void write(std::string_view bytes) override { writeAll(file_.get(), bytes, temporary_); }
    void commit() override {
        if (FlushFileBuffers(file_.get()) == 0) {
            fail(temporary_);
        }
        CloseHandle(file_.release());
        if (MoveFileExW(temporary_.c_str(), path_.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
            fail(path_);
        }
        committed_ = true;
    }

  private:
    std::filesystem::path path_;
    std::filesystem::path temporary_;
    Handle file_; // closed before the rename
    bool committed_ = false;
};

class Win32JournalFiles : public JournalFiles {
  public:
    explicit Win32JournalFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}

    [[nodiscard]] const std::filesystem::path& folder() const override { return folder_; }

    std::unique_ptr<JournalLock> lock() override {
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (error) {
            fail(folder_, static_cast<DWORD>(error.value()));
        }
        return std::make_unique<FileLock>(folder_ / kLockFileName);
    }

    void append(std::string_view name, std::string_view header, std::string_view lines,
                AppendSync sync) override {
        const std::filesystem::path path = folder_ / name;
        const Handle file(openOrFail(path, GENERIC_READ | FILE_APPEND_DATA, OPEN_ALWAYS));
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file.get(), &size) == 0) {
            fail(path);
        }
        std::string whole;
        if (size.QuadPart == 0) {
            whole = header;
        } else {
            OVERLAPPED at{};
            const auto last = static_cast<ULONGLONG>(size.QuadPart - 1);
            at.Offset = static_cast<DWORD>(last);
            at.OffsetHigh = static_cast<DWORD>(last >> 32U);
            char byte = '\n';
            DWORD got = 0;
            if (ReadFile(file.get(), &byte, 1, &got, &at) == 0 || got != 1) {
                fail(path);
            }
            if (byte != '\n') {
                whole = "\n";
            }
        }
        whole += lines;
        writeAll(file.get(), whole, path);
        if (sync == AppendSync::toDisk && FlushFileBuffers(file.get()) == 0) {
            fail(path);
        }
    }

    std::unique_ptr<JournalReplacement> replace(std::string_view name) override {
        return std::make_unique<RenameReplacement>(folder_ / name);
    }

    bool read(std::string_view name,
              const std::function<void(std::string_view piece)>& take) override {
        const std::filesystem::path path = folder_ / name;
        HANDLE raw = CreateFileW(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (raw == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                return false;
            }
            fail(path, error);
        }
        const Handle file(raw);
        std::string piece(kPiece, '\0');
        for (;;) {
            DWORD got = 0;
            if (ReadFile(file.get(), piece.data(), kPiece, &got, nullptr) == 0) {
                fail(path);
            }
            if (got == 0) {
                return true;
            }
            take(std::string_view(piece.data(), got));
        }
    }

  private:
    std::filesystem::path folder_;
};

} // namespace

std::unique_ptr<JournalFiles> journalFiles(std::filesystem::path folder) {
    return std::make_unique<Win32JournalFiles>(std::move(folder));
}

std::optional<std::filesystem::path> defaultJournalFolder() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || appData[0] == L'\0') {
        return std::nullopt;
    }
    return std::filesystem::path(appData) / L"Keyloom";
}

WallTime wallClockNow() {
    const __time64_t now = _time64(nullptr);
    std::tm local{};
    _localtime64_s(&local, &now);
    const __time64_t localAsUtc = _mkgmtime64(&local);
    return {static_cast<std::int64_t>(now), static_cast<int>((localAsUtc - now) / 60)};
}

std::uint64_t currentProcessId() {
    return GetCurrentProcessId();
}

} // namespace keyloom
