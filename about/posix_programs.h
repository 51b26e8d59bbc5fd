// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/sys_info_platform.h"

#include <unistd.h>

namespace keyloom {

// A normal file is a regular file whose name does not start with a dot.
class PosixFileFinder : public FileFinder {
  public:
    [[nodiscard]] std::u16string findFile(std::u16string_view path) const override;
};

// Starts the program detached: it is nobody's child to reap, and runs on
// after this program ends. Raises when it cannot be executed, or when a
// process to run it cannot be made.
class PosixProgramStarter : public ProgramStarter {
  public:
    // The call that makes a process; tests hand in one that fails.
    using Fork = pid_t (*)();
    explicit PosixProgramStarter(Fork fork = &::fork) : fork_(fork) {}
    void start(std::u16string_view path) override;

  private:
    Fork fork_;
};

} // namespace keyloom
