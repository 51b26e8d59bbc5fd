// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>

namespace keyloom {

// The top-level error report: a message box titled with the application's
// title that says what went wrong (for a lesson that cannot be read, the
// path), and the same on stderr. Returns when the user has closed it; the caller then ends the
// program with a non-zero status.
void reportError(const std::exception& error);

} // namespace keyloom
