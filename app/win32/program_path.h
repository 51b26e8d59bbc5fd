// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace keyloom {

// The full path of the running program, however long.
std::wstring programPath();

} // namespace keyloom
