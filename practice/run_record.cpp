// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/run_record.h"

#include "practice/punctuation.h"

#include <algorithm>
#include <limits>

namespace keyloom {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

std::uint32_t saturatedMs(std::int64_t ns) {
    const std::int64_t ms = std::max<std::int64_t>(0, ns) / kNsPerMs;
    return static_cast<std::uint32_t>(
        std::min<std::int64_t>(ms, std::numeric_limits<std::uint32_t>::max()));
}

} // namespace

RunRecord::RunRecord(MonotonicClock clock) : clock_(std::move(clock)) {}

void RunRecord::setClock(MonotonicClock clock) {
    clock_ = std::move(clock);
}

std::int64_t RunRecord::now() const {
    return clock_ ? clock_().count() : 0;
}

void RunRecord::start(std::int64_t at) {
    if (!started_) {
        started_ = true;
        startNs_ = at;
    }
}

void RunRecord::countKeystroke() {
    if (!started_) {
        start(now());
    }
    ++keystrokes_;
}

void RunRecord::score(char32_t reference, char32_t typed) {
    if (characters_.size() >= kMaxCharacters) {
        return;
    }
    if (!commitOpen_ || commits_.empty()) {
        // The clock is read once a commit, not once a character.
        const std::int64_t at = now();
        start(at);
        const std::uint32_t before = commits_.empty() ? 0 : commits_.back().atMs;
        commits_.push_back({.atMs = std::max(before, saturatedMs(at - startNs_))});
        commitOpen_ = true;
    }
    Commit& commit = commits_.back();
    ++commit.standing;
    if (!isPunctuation(typed)) {
        ++commit.arrivedWording;
    }
    characters_.push_back({reference, typed});
}

void RunRecord::takeBack() {
    if (characters_.empty()) {
        return;
    }
    characters_.pop_back();
    ++corrections_;
    Commit& newest = commits_.back();
    const std::uint32_t before = commits_.size() > 1 ? commits_[commits_.size() - 2].atMs : 0;
    newest.atMs -= (newest.atMs - before) / newest.standing; // its share, to what comes next
    if (--newest.standing == 0) {
        commits_.pop_back();
    }
    commitOpen_ = false; // what comes after a Backspace is a commit of its own
}

std::chrono::nanoseconds RunRecord::typingTime() const {
    return std::chrono::milliseconds(commits_.empty() ? 0 : commits_.back().atMs);
}

std::size_t RunRecord::memoryBytes() const {
    return sizeof *this + characters_.capacity() * sizeof(Character) +
           commits_.capacity() * sizeof(Commit);
}

} // namespace keyloom
