#pragma once

#include <string>
#include <string_view>

namespace keyloom {

// The lesson's text from its raw bytes: line ends (CR, CR LF, LF) dropped so
// the lines join with nothing between them, a UTF-8 byte-order mark dropped,
// UTF-8 when the bytes are valid UTF-8 and GBK otherwise, at most
// `maxChars` characters.
std::u16string decodeLesson(std::string_view bytes, bool more, std::size_t maxChars);

} // namespace keyloom
