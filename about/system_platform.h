// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/sys_info_platform.h"

namespace keyloom {

// This platform's answers to the about box's lookups: the Windows registry
// and shell on Windows; elsewhere a registry that offers the desktop's
// system-information program as the first entry's "PATH".
Registry& systemRegistry();
const FileFinder& systemFileFinder();
ProgramStarter& systemProgramStarter();

} // namespace keyloom
