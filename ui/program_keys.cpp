// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_keys.h"

#include "practice/frm_main.h"

#include <array>

namespace keyloom {
namespace {

struct ProgramKey {
    Counter keyCode;
    Counter modifiers;
    ProgramCommand command;
};

constexpr std::array kProgramKeys{
    ProgramKey{112, 0, ProgramCommand::About},
    ProgramKey{113, 0, ProgramCommand::Report},
    ProgramKey{114, 0, ProgramCommand::Restart},
    ProgramKey{115, 0, ProgramCommand::LoadClipboard},
    ProgramKey{79, kCtrlMask, ProgramCommand::OpenFile},
    ProgramKey{116, 0, ProgramCommand::LessonWindow},
    ProgramKey{117, 0, ProgramCommand::CodeHint},
    ProgramKey{118, 0, ProgramCommand::History},
    ProgramKey{39, kCtrlMask, ProgramCommand::NextSegment},
    ProgramKey{37, kCtrlMask, ProgramCommand::PreviousSegment},
};

} // namespace

std::optional<ProgramCommand> programCommandFor(Counter keyCode, Counter shift) {
    const auto modifiers = static_cast<Counter>(shift & (kShiftMask | kCtrlMask | kAltMask));
    for (const ProgramKey& key : kProgramKeys) {
        if (key.keyCode == keyCode && key.modifiers == modifiers) {
            return key.command;
        }
    }
    return std::nullopt;
}

bool commandRunsKeyDownHandler(ProgramCommand command) {
    return command == ProgramCommand::About || command == ProgramCommand::Report;
}

} // namespace keyloom
