// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/lesson_text.h"

#include "text/code_points.h"
#include "text/text_decoding.h"

#include <optional>
#include <vector>

namespace keyloom {
namespace {

// The lines without their ends; empty lines are left out, they add nothing.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        if (end != 0) {
            lines.push_back(bytes.substr(0, end));
        }
        if (end == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

// The lines decoded one by one and joined; nothing when `decode` refuses one.
// Only the last line can be cut.
template <typename Decode>
std::optional<std::u16string> joinDecoded(const std::vector<std::string_view>& lines, bool more,
                                          Decode decode) {
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::u16string> line = decode(lines[i], more && i + 1 == lines.size());
        if (!line) {
            return std::nullopt;
        }
        text += *line;
    }
    return text;
}

} // namespace

std::u16string decodeLesson(std::string_view bytes, bool more, std::size_t maxChars) {
    constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(utf8Bom)) {
        bytes.remove_prefix(utf8Bom.size());
    }
    // A cut right after a line end leaves every line whole.
    more = more && !bytes.ends_with('\r') && !bytes.ends_with('\n');
    const std::vector<std::string_view> lines = splitLines(bytes);
    std::optional<std::u16string> text = joinDecoded(lines, more, decodeUtf8Strict);
    if (!text) {
        text = joinDecoded(lines, more, [](std::string_view line, bool cut) {
            return std::optional<std::u16string>(decodeGbk(line, cut));
        });
    }
    text->resize(unitsOfFirst(*text, maxChars));
    return std::move(*text);
}

} // namespace keyloom
