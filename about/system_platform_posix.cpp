// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/desktop_registry.h"
#include "about/posix_programs.h"
#include "about/system_platform.h"

#include <cstdlib>

namespace keyloom {

Registry& systemRegistry() {
    static DesktopRegistry registry([] {
        const char* searchPath = std::getenv("PATH");
        return findDesktopSysInfoProgram(searchPath != nullptr ? searchPath : "");
    });
    return registry;
}

const FileFinder& systemFileFinder() {
    static const PosixFileFinder finder;
    return finder;
}

ProgramStarter& systemProgramStarter() {
    static PosixProgramStarter starter;
    return starter;
}

} // namespace keyloom
