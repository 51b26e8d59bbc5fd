// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace keyloom {

// Runs a window's handlers so that an error never unwinds through a
// toolkit's event loop or window procedure: the first error goes to
// `onError`, after which no handler runs any more. After each handler that
// ran, `afterEach` shows what it changed.
class HandlerGuard {
  public:
    HandlerGuard(std::function<void(const std::exception&)> onError,
                 std::function<void()> afterEach)
        : onError_(std::move(onError)), afterEach_(std::move(afterEach)) {}

    // Whether the handler ran to its end.
    template <class Handler> bool operator()(Handler&& handler) {
        if (stopped_) {
            return false;
        }
        try {
            std::forward<Handler>(handler)();
        } catch (const std::exception& error) {
            stopped_ = true;
            onError_(error);
            return false;
        }
        afterEach_();
        return true;
    }

    // No handler runs any more: the window is failing or going.
    void stop() { stopped_ = true; }
    [[nodiscard]] bool stopped() const { return stopped_; }

  private:
    std::function<void(const std::exception&)> onError_;
    std::function<void()> afterEach_;
    bool stopped_ = false;
};

} // namespace keyloom
