// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace keyloom {
namespace {

constexpr std::string_view kLockFileName = "journal.lock";
constexpr std::size_t kPiece = std::size_t{64} * 1024;

[[noreturn]] void fail(const std::filesystem::path& path) {
    throw JournalError(path.string() + ": " + std::strerror(errno));
}

// A descriptor closed when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    [[nodiscard]] int get() const { return fd_; }

  private:
    int fd_;
};

int openOrFail(const std::filesystem::path& path, int flags) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        fail(path);
    }
    return fd;
}

void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            fail(path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void syncOrFail(int fd, const std::filesystem::path& path) {
    if (::fdatasync(fd) != 0 && errno != EINVAL) {
        fail(path);
    }
}

class FlockLock : public JournalLock {
  public:
    explicit FlockLock(const std::filesystem::path& path)
        : fd_(openOrFail(path, O_RDWR | O_CREAT)) {
        while (::flock(fd_.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                fail(path);
            }
        }
    }

  private:
    Descriptor fd_; // closing it lets the lock go
};

class RenameReplacement : public JournalReplacement {
  public:
    explicit RenameReplacement(std::filesystem::path path)
        : path_(std::move(path)), temporary_(path_.string() + ".new"),
          fd_(openOrFail(temporary_, O_WRONLY | O_CREAT | O_TRUNC)) {}
    RenameReplacement(const RenameReplacement&) = delete;
    RenameReplacement& operator=(const RenameReplacement&) = delete;
    ~RenameReplacement() override {
        if (!committed_) {
            ::unlink(temporary_.c_str());
        }
    }
    void write(std::string_view bytes) override { writeAll(fd_.get(), bytes, temporary_); }
    void commit() override {
        syncOrFail(fd_.get(), temporary_);
        if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
            fail(path_);
        }
        committed_ = true;
    }

  private:
    std::filesystem::path path_;
    std::filesystem::path temporary_;
    Descriptor fd_;
    bool committed_ = false;
};

class PosixJournalFiles : public JournalFiles {
  public:
    explicit PosixJournalFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}

    [[nodiscard]] const std::filesystem::path& folder() const override { return folder_; }

    std::unique_ptr<JournalLock> lock() override {
        std::error_code error;
        std::filesystem::create_directories(folder_, error);
        if (error) {
            throw JournalError(folder_.string() + ": " + error.message());
        }
        return std::make_unique<FlockLock>(folder_ / kLockFileName);
    }

    void append(std::string_view name, std::string_view header, std::string_view lines,
                AppendSync sync) override {
        const std::filesystem::path path = folder_ / name;
        const Descriptor fd(openOrFail(path, O_RDWR | O_CREAT | O_APPEND));
        struct stat status {};
        if (::fstat(fd.get(), &status) != 0) {
            fail(path);
        }
        std::string whole;
        if (status.st_size == 0) {
            whole = header;
        } else {
            char last = '\n';
            if (::pread(fd.get(), &last, 1, status.st_size - 1) != 1) {
                fail(path);
            }
            if (last != '\n') {
                whole = "\n";
            }
        }
        whole += lines;
        writeAll(fd.get(), whole, path);
        if (sync == AppendSync::toDisk) {
            syncOrFail(fd.get(), path);
        }
    }

    std::unique_ptr<JournalReplacement> replace(std::string_view name) override {
        return std::make_unique<RenameReplacement>(folder_ / name);
    }

    bool read(std::string_view name,
              const std::function<void(std::string_view piece)>& take) override {
        const std::filesystem::path path = folder_ / name;
        const int raw = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (raw < 0) {
            if (errno == ENOENT) {
                return false;
            }
            fail(path);
        }
        const Descriptor fd(raw);
        struct stat status {};
        if (::fstat(fd.get(), &status) != 0) {
            fail(path);
        }
        if (!S_ISREG(status.st_mode)) { // a device or a pipe may never end
            errno = EINVAL;
            fail(path);
        }
        std::string piece(kPiece, '\0');
        for (;;) {
            const ssize_t got = ::read(fd.get(), piece.data(), piece.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                fail(path);
            }
            if (got == 0) {
                return true;
            }
            take(std::string_view(piece.data(), static_cast<std::size_t>(got)));
        }
    }

  private:
    std::filesystem::path folder_;
};

} // namespace

std::unique_ptr<JournalFiles> journalFiles(std::filesystem::path folder) {
    return std::make_unique<PosixJournalFiles>(std::move(folder));
}

std::optional<std::filesystem::path> defaultJournalFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::filesystem::path(data) / "keyloom";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::filesystem::path(home) / ".local/share/keyloom";
    }
    return std::nullopt;
}

WallTime wallClockNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {static_cast<std::int64_t>(now), static_cast<int>(local.tm_gmtoff / 60)};
}

std::uint64_t currentProcessId() {
    return static_cast<std::uint64_t>(::getpid());
}

} // namespace keyloom
