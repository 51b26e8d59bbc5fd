// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace keyloom {

// Whether a code point is punctuation (general category P: the comma, the
// ideographic full stop, brackets, quotation marks, dashes...).
bool isPunctuation(char32_t character);

} // namespace keyloom
