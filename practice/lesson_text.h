// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace keyloom {

// The lesson's text from its raw bytes, at most `maxChars` characters (code
// points). The
// lines (ending at CR, CR LF or LF) are decoded one by one and joined with
// nothing between them, so a broken character never reaches across a line
// end. A leading UTF-8 byte-order mark is dropped. The encoding is judged
// once for all the bytes given: UTF-8 when every line is valid UTF-8, GBK
// otherwise. `more` says the bytes are cut from a longer lesson.
std::u16string decodeLesson(std::string_view bytes, bool more, std::size_t maxChars);

} // namespace keyloom
