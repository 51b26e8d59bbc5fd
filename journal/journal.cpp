// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal.h"

#include "journal/journal_lines.h"
#include "journal/weakness.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace keyloom {
namespace {

constexpr std::int64_t kFutureAfterSeconds = std::int64_t{24} * 60 * 60;

// No record comes near this; a longer line is read as an empty one.
constexpr std::size_t kMaxLineBytes = std::size_t{64} * 1024;

// Calls `take` with each line of a file read in pieces, without its line
// end; a last line with none is torn.
class LineSplitter {
  public:
    explicit LineSplitter(std::size_t maxLine = std::string::npos) : maxLine_(maxLine) {}

    template <typename Take> void feed(std::string_view piece, Take&& take) {
        while (!piece.empty()) {
            const std::size_t end = piece.find('\n');
            if (end == std::string_view::npos) {
                carry(piece);
                return;
            }
            if (carry_.empty() && !overlong_) {
                take(withoutReturn(piece.substr(0, end)));
            } else {
                carry(piece.substr(0, end));
                take(overlong_ ? std::string_view() : withoutReturn(carry_));
                carry_.clear();
                overlong_ = false;
            }
            piece.remove_prefix(end + 1);
        }
    }
    [[nodiscard]] bool torn() const { return overlong_ || !carry_.empty(); }
    [[nodiscard]] std::string_view rest() const { return carry_; }

  private:
    // A spreadsheet may save the file with CR LF line ends.
    static std::string_view withoutReturn(std::string_view line) {
        return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
    }
    void carry(std::string_view part) {
        if (overlong_ || carry_.size() + part.size() > maxLine_) {
            overlong_ = true;
            carry_.clear();
        } else {
            carry_.append(part);
        }
    }

    std::size_t maxLine_;
    std::string carry_;
    bool overlong_ = false;
};

template <typename Take>
bool readLines(JournalFiles& files, std::string_view name, std::int64_t& torn, Take&& take) {
    LineSplitter lines(kMaxLineBytes);
    const bool found = files.read(name, [&](std::string_view piece) { lines.feed(piece, take); });
    torn += lines.torn() ? 1 : 0;
    return found;
}

void countSkipped(LineKind kind, SkippedLines& skipped) {
    if (kind == LineKind::newer) {
        ++skipped.newer;
    } else if (kind == LineKind::damaged) {
        ++skipped.damaged;
    }
}

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
        return std::hash<std::string_view>{}(key);
    }
};

struct SavedRevision {
    std::int64_t revision;
    double weight;
};

// Copies a file but the lines of run `key`; a missing file stays missing.
void copyWithout(JournalFiles& files, std::string_view name, std::string_view key) {
    std::unique_ptr<JournalReplacement> copy = files.replace(name);
    std::string kept;
    LineSplitter lines;
    const auto keep = [&](std::string_view line) {
        if (lineKey(line) != key) {
            kept.append(line);
            kept += '\n';
        }
    };
    const bool found = files.read(name, [&](std::string_view piece) {
        lines.feed(piece, keep);
        copy->write(kept);
        kept.clear();
    });
    if (!found) {
        return;
    }
    // A torn last line is kept as it was: it may be mended by hand.
    if (lines.torn() && lineKey(lines.rest()) != key) {
        copy->write(lines.rest());
    }
    copy->commit();
}

} // namespace

Journal::Journal(JournalFiles& files, WallClock clock) : files_(files), clock_(std::move(clock)) {}

void Journal::save(const JournalEntry& entry) {
    std::string characterLines;
    characterLines.reserve(entry.characters.size() * 32);
    for (const JournalCharacter& character : entry.characters) {
        appendCharacterLine(characterLines, entry.run.key, entry.run.revision, character);
    }
    const std::unique_ptr<JournalLock> lock = files_.lock();
    // One wait for the disk, between the two files: once the character
    // lines are on it, the run line that follows never names lines a power
    // cut took. The run line reaches the disk with the system's own
    // write-back, seconds later; a power cut before that loses this save
    // alone: its character lines, with no run line of their revision, are
    // skipped when read. A torn line of either file is skipped too.
    files_.append(kCharactersFileName, charactersHeader(), characterLines,
                  JournalFiles::AppendSync::toDisk);
    files_.append(kRunsFileName, runsHeader(), runLine(entry.run), JournalFiles::AppendSync::none);
}

JournalContents Journal::read() const {
    const WallTime now = clock_();
    JournalContents contents;
    SkippedLines& skipped = contents.skipped;

    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> newest;
    JournalRun run;
    readLines(files_, kRunsFileName, skipped.torn, [&](std::string_view line) {
        const LineKind kind = parseRunLine(line, run);
        if (kind != LineKind::record) {
            countSkipped(kind, skipped);
            return;
        }
        if (run.date.utcSeconds > now.utcSeconds + kFutureAfterSeconds) {
            ++skipped.future;
            return;
        }
        const auto [place, added] = newest.try_emplace(run.key, contents.runs.size());
        if (added) {
            contents.runs.push_back(run);
        } else if (run.revision >= contents.runs[place->second].revision) {
            contents.runs[place->second] = run;
        }
    });

    std::unordered_map<std::string_view, SavedRevision, KeyHash, std::equal_to<>> saved;
    saved.reserve(contents.runs.size());
    for (const JournalRun& r : contents.runs) {
        saved.emplace(r.key,
                      SavedRevision{r.revision, runWeight(now.utcSeconds - r.date.utcSeconds)});
    }
    std::unordered_map<char32_t, CharacterHistory> characters;
    CharacterRecord record;
    // A save writes its run's lines together: the run of the line before is
    // almost always the run of the next.
    std::string previousKey;
    const SavedRevision* previous = nullptr;
    readLines(files_, kCharactersFileName, skipped.torn, [&](std::string_view line) {
        const LineKind kind = parseCharacterLine(line, record);
        if (kind != LineKind::record) {
            countSkipped(kind, skipped);
            return;
        }
        if (record.key != previousKey) {
            const auto found = saved.find(record.key);
            previousKey.assign(record.key);
            previous = found == saved.end() ? nullptr : &found->second;
        }
        if (previous == nullptr) {
            ++skipped.orphaned;
            return;
        }
        if (previous->revision != record.revision) {
            return; // an earlier save of the run, replaced by its newest
        }
        const JournalCharacter& c = record.character;
        const double weight = previous->weight;
        CharacterHistory& history = characters[c.character];
        history.character = c.character;
        history.typed += c.typed;
        history.wrong += c.wrong;
        history.weightedTyped += weight * static_cast<double>(c.typed);
        history.weightedWrong += weight * static_cast<double>(c.wrong);
        history.weightedSeconds += weight * c.seconds;
    });

    contents.characters.reserve(characters.size());
    for (const auto& [character, history] : characters) {
        contents.characters.push_back(history);
    }
    std::ranges::sort(contents.characters, {}, &CharacterHistory::character);
    std::ranges::stable_sort(contents.runs, [](const JournalRun& a, const JournalRun& b) {
        return a.date.utcSeconds > b.date.utcSeconds;
    });
    return contents;
}

void Journal::remove(std::string_view key) {
    const std::unique_ptr<JournalLock> lock = files_.lock();
    // The characters go first: a run cut off from its lines is still a run.
    copyWithout(files_, kCharactersFileName, key);
    copyWithout(files_, kRunsFileName, key);
}

} // namespace keyloom
