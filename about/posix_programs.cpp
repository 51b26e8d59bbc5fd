// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/posix_programs.h"

#include "text/utf8_text.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace keyloom {
namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    [[nodiscard]] int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

  private:
    int fd_;
};

[[noreturn]] void raiseStartFailure(const std::string& path, int error) {
    throw std::runtime_error("cannot start " + path + ": " + std::strerror(error));
}

} // namespace

std::u16string PosixFileFinder::findFile(std::u16string_view path) const {
    const std::string bytes = toUtf8(path);
    struct stat info {};
    if (bytes.empty() || ::stat(bytes.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    const std::size_t slash = bytes.find_last_of('/');
    const std::string name = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
    if (name.starts_with('.')) {
        return {};
    }
    return fromUtf8(name);
}

void PosixProgramStarter::start(std::u16string_view path) {
    const std::string program = toUtf8(path);
    if (program.empty()) {
        raiseStartFailure(program, ENOENT);
    }
    // The grandchild runs the program, so the child can exit at once and
    // nothing is left to reap; a successful exec closes the pipe.
    std::array<int, 2> pipeEnds{};
    if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        raiseStartFailure(program, errno);
    }
    Fd readEnd(pipeEnds[0]);
    Fd writeEnd(pipeEnds[1]);
    std::array<char*, 2> argv{const_cast<char*>(program.c_str()), nullptr};

    const pid_t child = fork_();
    if (child < 0) {
        raiseStartFailure(program, errno);
    }
    if (child == 0) {
        // Only async-signal-safe calls from here on. Whichever fork or exec
        // fails reports its error through the pipe.
        const pid_t grandchild = fork_();
        if (grandchild == 0) {
            ::setsid();
            ::execv(argv[0], argv.data());
        }
        if (grandchild <= 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t written = ::write(writeEnd.get(), &error, sizeof error);
        }
        ::_exit(0);
    }
    writeEnd.reset();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(readEnd.get(), &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof error)) {
        raiseStartFailure(program, error);
    }
}

} // namespace keyloom
