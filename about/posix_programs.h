#pragma once

#include "about/sys_info_platform.h"

namespace keyloom {

// A normal file is a regular file whose name does not start with a dot.
class PosixFileFinder : public FileFinder {
  public:
    [[nodiscard]] std::u16string findFile(std::u16string_view path) const override;
};

// Starts the program detached: it is nobody's child to reap, and runs on
// after this program ends. Raises when it cannot be executed.
class PosixProgramStarter : public ProgramStarter {
  public:
    void start(std::u16string_view path) override;
};

} // namespace keyloom
