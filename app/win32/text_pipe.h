// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <windows.h>

namespace keyloom {

// A pipe that already holds `bytes` whole and is closed for writing: its
// read end, inheritable, is all that is left, so a new run started with it
// as its standard input reads the whole text and then the pipe's end,
// whatever becomes of this program once the new run has started. Its buffer
// is made as large as the text; nullptr when the system would not hold it
// all (nothing waits for a reader that is not there yet).
HANDLE filledPipe(std::string_view bytes);

} // namespace keyloom
