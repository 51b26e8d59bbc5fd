// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program and prints the milliseconds from just before its start
// until the X server maps its first top-level window, then ends it. The
// clock starts before fork, so process creation, dynamic loading, the
// toolkit's start and the program's own load step all count.
//   wait_mapped PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kTimeoutMs = 20000;

bool waitForMap(Display* display, std::chrono::steady_clock::time_point deadline) {
    pollfd fd{.fd = ConnectionNumber(display), .events = POLLIN, .revents = 0};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.override_redirect == False) {
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wait_mapped PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "wait_mapped: no X display\n");
        return 2;
    }
    // Top-level windows are children of the root: their mapping is reported
    // to whoever watches the root's substructure.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = waitForMap(display, start + std::chrono::milliseconds(kTimeoutMs));
    const auto stop = std::chrono::steady_clock::now();
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "wait_mapped: %s mapped no window\n", argv[1]);
        return 1;
    }
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(stop - start).count());
    return 0;
}
