// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/utf8_cut.h"

namespace keyloom {
namespace {

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

} // namespace

std::string_view withoutCutUtf8Sequence(std::string_view bytes) {
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

} // namespace keyloom
