// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/saved_run.h"

#include "journal/journal_lines.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <map>

namespace keyloom {
namespace {

constexpr std::int64_t kMillisecondsPerSecond = 1000;

// The figures and characters alone, for telling whether they changed.
std::string content(const JournalEntry& entry) {
    JournalRun run = entry.run;
    run.key.clear();
    run.revision = 1;
    run.date = {};
    std::string text = runLine(run);
    for (const JournalCharacter& character : entry.characters) {
        appendCharacterLine(text, {}, 1, character);
    }
    return text;
}

} // namespace

JournalEntry journalEntry(const RunRecord& record, const RunFigures& figures,
                          std::u16string_view textName) {
    JournalEntry entry;
    JournalRun& run = entry.run;
    run.text = toUtf8(textName);
    run.speed = figures.speed;
    run.netSpeed = figures.netSpeed;
    run.keysPerSecond = figures.keysPerSecond;
    run.keysPerCharacter = figures.keysPerCharacter;
    run.accuracy = figures.accuracy;
    run.characters = figures.characters;
    run.wrong = figures.wrong;
    run.corrections = figures.corrections;
    run.keystrokes = figures.keystrokes;
    run.keystrokesEstimated = figures.keystrokesEstimated;
    run.phraseRate = figures.phraseRate;
    run.typingSeconds = figures.typingSeconds;

    std::map<char32_t, JournalCharacter> byReference;
    const std::vector<double> seconds = characterSeconds(record);
    const auto& characters = record.characters();
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const RunRecord::Character& c = characters[i];
        if (c.reference == RunRecord::kNoReference) {
            continue;
        }
        JournalCharacter& saved = byReference[c.reference];
        saved.character = c.reference;
        ++saved.typed;
        saved.wrong += c.right() ? 0 : 1;
        saved.seconds += i < seconds.size() ? seconds[i] : 0;
    }
    entry.characters.reserve(byReference.size());
    for (const auto& [reference, saved] : byReference) {
        entry.characters.push_back(saved);
    }
    return entry;
}

RunSaving::Outcome RunSaving::save(Journal& journal, JournalEntry entry, WallTime now,
                                   std::uint64_t processId) {
    std::string saving = content(entry);
    if (revision_ > 0 && saving == savedContent_) {
        return Outcome::alreadySaved;
    }
    if (key_.empty()) {
        key_ = makeRunKey(now.utcSeconds * kMillisecondsPerSecond, processId);
    }
    entry.run.key = key_;
    entry.run.revision = revision_ + 1;
    entry.run.date = now;
    journal.save(entry);
    ++revision_;
    savedContent_ = std::move(saving);
    return Outcome::saved;
}

bool RunSaving::isSaved(const JournalEntry& entry) const {
    return revision_ > 0 && content(entry) == savedContent_;
}

} // namespace keyloom
