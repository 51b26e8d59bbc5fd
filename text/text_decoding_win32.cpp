#include "text/text_decoding.h"

#include <array>
#include <climits>
#include <stdexcept>
#include <windows.h>

namespace keyloom {
namespace {

constexpr UINT kGbkCodePage = 936;
constexpr char16_t kReplacement = u'\uFFFD';

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

// The length a UTF-8 sequence starting with `lead` would have, 0 if no
// sequence starts so.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Whether `second` may follow `lead`: the narrower ranges keep out overlong
// forms, surrogates and code points beyond U+10FFFF.
bool validSecondByte(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0: return second >= 0xA0 && second <= 0xBF;
    case 0xED: return second >= 0x80 && second <= 0x9F;
    case 0xF0: return second >= 0x90 && second <= 0xBF;
    case 0xF4: return second >= 0x80 && second <= 0x8F;
    default: return isContinuation(second);
    }
}

// The bytes without a sequence cut short at their end, when that sequence
// is a valid beginning of a character.
std::string_view withoutCutSequence(std::string_view bytes) {
    const std::size_t size = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto lead = static_cast<unsigned char>(bytes[size - back]);
        if (isContinuation(lead)) {
            continue;
        }
        const std::size_t length = sequenceLength(lead);
        const bool cut =
            length > back &&
            (back == 1 ||
             validSecondByte(lead, static_cast<unsigned char>(bytes[size - back + 1])));
        return cut ? bytes.substr(0, size - back) : bytes;
    }
    return bytes;
}

int checkedLength(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long to decode");
    }
    return static_cast<int>(bytes.size());
}

// Decodes one character's bytes strictly; false if they are no character.
bool decodeOne(UINT codePage, std::string_view bytes, std::u16string& out) {
    std::array<wchar_t, 2> wide{};
    const int got = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                        checkedLength(bytes), wide.data(), wide.size());
    out.append(wide.begin(), wide.begin() + got);
    return got > 0;
}

} // namespace

std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes, bool more) {
    if (more) {
        bytes = withoutCutSequence(bytes);
    }
    if (bytes.empty()) {
        return std::u16string();
    }
    const int length = checkedLength(bytes);
    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length,
                        reinterpret_cast<wchar_t*>(text.data()), needed);
    return text;
}

std::u16string decodeGbk(std::string_view bytes, bool more) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const bool lead = IsDBCSLeadByteEx(kGbkCodePage, static_cast<BYTE>(bytes[i])) != 0;
        if (lead && i + 1 == bytes.size()) {
            if (!more) {
                text.push_back(kReplacement); // the trail byte never came
            }
            break;
        }
        const std::size_t length = lead ? 2 : 1;
        if (decodeOne(kGbkCodePage, bytes.substr(i, length), text)) {
            i += length;
        } else {
            // Only the first byte is spent: the next one may start a character.
            text.push_back(kReplacement);
            ++i;
        }
    }
    return text;
}

} // namespace keyloom
