#include "practice/lesson_text.h"

#include "text/text_decoding.h"

#include <utility>

namespace keyloom {

std::u16string decodeLesson(std::string_view bytes, bool more, std::size_t maxChars) {
    constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(utf8Bom)) {
        bytes.remove_prefix(utf8Bom.size());
    }
    // CR and LF are never part of a multi-byte character in UTF-8 or GBK,
    // so the line ends can go before decoding.
    std::string joined;
    joined.reserve(bytes.size());
    for (const char byte : bytes) {
        if (byte != '\r' && byte != '\n') {
            joined.push_back(byte);
        }
    }
    std::optional<std::u16string> utf8 = decodeUtf8Strict(joined, more);
    std::u16string text = utf8 ? std::move(*utf8) : decodeGbk(joined, more);
    if (text.size() > maxChars) {
        text.resize(maxChars);
    }
    return text;
}

} // namespace keyloom
