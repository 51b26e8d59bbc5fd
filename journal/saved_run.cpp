// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/saved_run.h"

#include "journal/journal_lines.h"
#include "text/utf8_text.h"

#include <algorithm>
#include <cstdint>

namespace keyloom {
namespace {

constexpr std::int64_t kMillisecondsPerSecond = 1000;

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

    // Each typed character by its reference, then by its place: a sort of
    // plain numbers, where a tree of 20,000 characters took as long as the
    // rest of the save. The place keeps each sum in the order of typing.
    const std::vector<double> seconds = characterSeconds(record);
    const auto& characters = record.characters();
    std::vector<std::uint64_t> byReference;
    byReference.reserve(characters.size());
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i].reference != RunRecord::kNoReference) {
            byReference.push_back((std::uint64_t{characters[i].reference} << 32U) | i);
        }
    }
    std::ranges::sort(byReference);
    for (const std::uint64_t referenceAndPlace : byReference) {
        const auto reference = static_cast<char32_t>(referenceAndPlace >> 32U);
        const std::size_t i = referenceAndPlace & 0xFFFFFFFFU;
        if (entry.characters.empty() || entry.characters.back().character != reference) {
            entry.characters.push_back({reference, 0, 0, 0});
        }
        JournalCharacter& saved = entry.characters.back();
        ++saved.typed;
        saved.wrong += characters[i].right() ? 0 : 1;
        saved.seconds += i < seconds.size() ? seconds[i] : 0;
    }
    return entry;
}

RunSaving::Outcome RunSaving::save(Journal& journal, JournalEntry entry, WallTime now,
                                   std::uint64_t processId) {
    if (isSaved(entry)) {
        return Outcome::alreadySaved;
    }
    if (key_.empty()) {
        key_ = makeRunKey(now.utcSeconds * kMillisecondsPerSecond, processId);
    }
    JournalEntry saving = entry;
    saving.run.key = key_;
    saving.run.revision = revision_ + 1;
    saving.run.date = now;
    journal.save(saving);
    ++revision_;
    saved_ = std::move(entry);
    return Outcome::saved;
}

// Compared as given, figure by figure: formatting them to compare costs as
// much as the save.
bool RunSaving::isSaved(const JournalEntry& entry) const {
    return revision_ > 0 && entry == saved_;
}

} // namespace keyloom
