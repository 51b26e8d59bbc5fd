// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace keyloom {

// A monotonic clock the front end provides; the practice never reads the
// system clock itself.
using MonotonicClock = std::function<std::chrono::nanoseconds()>;

// What the run so far was made of, for the report: every scored character
// still standing with its reference and typed character and the commit it
// arrived in, the Backspaces that took one back, and the keystrokes the
// front end counted. It follows the score: a Backspace takes its character
// out of the record as out of the counts. It keeps at most as many
// characters as a run has marks (32,767), in under 1 MB.
class RunRecord {
  public:
    static constexpr std::size_t kMaxCharacters = 32767;
    static constexpr char32_t kNoReference = 0; // typed past the lesson's end

    struct Character {
        char32_t reference;
        char32_t typed;
        [[nodiscard]] bool right() const { return reference != kNoReference && reference == typed; }
    };
    // The characters that arrived in one event of the typing box: one input
    // method commit, or one key's character. Its time, from the standing
    // commit before it (the first: from the first key) to its own, is shared
    // equally among its standing characters. A character taken back gives its
    // share to what is typed next: its commit's time moves back by that share,
    // and a commit with nothing standing goes, its time with it.
    struct Commit {
        std::uint32_t atMs = 0;           // from the first key; never before the commit before it
        std::uint16_t arrivedWording = 0; // characters it brought that are not punctuation
        std::uint16_t standing = 0;       // of its characters, those not taken back
    };

    explicit RunRecord(MonotonicClock clock = {});
    void setClock(MonotonicClock clock);

    // A keystroke the counting rules count; the first one starts the run's
    // typing time.
    void countKeystroke();
    // The count is an estimate: the platform hid some input-method keys.
    void markKeystrokesEstimated() { estimated_ = true; }
    // The characters scored from now on arrive in a new commit.
    void beginCommit() { commitOpen_ = false; }

    // A character scored against `reference` (kNoReference past the
    // lesson's end).
    void score(char32_t reference, char32_t typed);
    // A Backspace took the newest character back.
    void takeBack();

    [[nodiscard]] const std::vector<Character>& characters() const { return characters_; }
    // The commits that still have standing characters, in order: each holds
    // the next `standing` of characters().
    [[nodiscard]] const std::vector<Commit>& commits() const { return commits_; }
    [[nodiscard]] std::int64_t keystrokes() const { return keystrokes_; }
    [[nodiscard]] bool keystrokesEstimated() const { return estimated_; }
    [[nodiscard]] std::int64_t corrections() const { return corrections_; }
    // From the first counted key to the newest commit still standing: the
    // sum of the standing characters' times. 0 while none stands.
    [[nodiscard]] std::chrono::nanoseconds typingTime() const;
    // The front end's clock, which times the run.
    [[nodiscard]] std::chrono::nanoseconds clockTime() const {
        return std::chrono::nanoseconds(now());
    }
    // Bytes the record holds.
    [[nodiscard]] std::size_t memoryBytes() const;

  private:
    [[nodiscard]] std::int64_t now() const;
    void start(std::int64_t at);

    MonotonicClock clock_;
    std::vector<Character> characters_;
    std::vector<Commit> commits_;
    std::int64_t keystrokes_ = 0;
    std::int64_t corrections_ = 0;
    std::int64_t startNs_ = 0; // the first counted key, or the first commit before any
    bool started_ = false;
    bool commitOpen_ = false;
    bool estimated_ = false;
};

} // namespace keyloom
