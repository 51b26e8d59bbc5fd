// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/run_record.h"

#include "text/punctuation.h"

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
        const std::int64_t since = committed_ ? newestCommitNs_ : startNs_;
        commits_.push_back({.sinceMs = saturatedMs(at - since)});
        newestCommitNs_ = at;
        committed_ = true;
        commitOpen_ = true;
    }
    Commit& commit = commits_.back();
    ++commit.arrived;
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
    if (--commits_.back().standing == 0) {
        commits_.pop_back();
        commitOpen_ = false; // what comes next is a commit of its own
    }
}

std::chrono::nanoseconds RunRecord::typingTime() const {
    if (!committed_) {
        return {};
    }
    return std::chrono::nanoseconds(std::max<std::int64_t>(0, newestCommitNs_ - startNs_));
}

std::size_t RunRecord::memoryBytes() const {
    return sizeof *this + characters_.capacity() * sizeof(Character) +
           commits_.capacity() * sizeof(Commit);
}

} // namespace keyloom
