// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace keyloom {

// Whether `c` decomposes canonically to an ASCII letter, digit or space
// (with or without accents): what a letter, digit or space key makes alone,
// after a dead key or through Compose. Such a character arriving outside a
// composition was typed with the keys the box refuses.
bool comesFromPlainKey(char32_t c);

} // namespace keyloom
