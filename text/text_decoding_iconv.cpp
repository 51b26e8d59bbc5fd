// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/text_decoding.h"

#include "text/utf8_cut.h"

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace keyloom {
namespace {

using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, decltype(&iconv_close)>;

IconvHandle openToUtf16(const char* from) {
    iconv_t handle = iconv_open("UTF-16LE", from);
    if (handle ==
        reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr): iconv's failure value
        throw std::runtime_error(std::string("no converter from ") + from);
    }
    return {handle, &iconv_close};
}

// One converter per encoding and thread, opened once: a lesson is decoded a
// line at a time.
iconv_t utf8Converter() {
    thread_local const IconvHandle cd = openToUtf16("UTF-8");
    return cd.get();
}

iconv_t gbkConverter() {
    thread_local const IconvHandle cd = openToUtf16("CP936");
    return cd.get();
}

enum class OnInvalid { Fail, Replace };

// Converts `bytes` to UTF-16; false when an invalid sequence is met with
// OnInvalid::Fail.
bool convert(iconv_t cd, std::string_view bytes, bool more, OnInvalid onInvalid,
             std::u16string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // a fresh start
    out.clear();
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.data()); // iconv's signature, not written to
    std::size_t inLeft = bytes.size();
    char16_t buffer[4096];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof buffer;
        const std::size_t status = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (sizeof buffer - outLeft) / sizeof(char16_t));
        if (status != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        if (errno == EINVAL && more) {
            break; // the rest of the sequence lies beyond the prefix
        }
        if (onInvalid == OnInvalid::Fail) {
            return false;
        }
        out.push_back(u'\uFFFD');
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
}

} // namespace

std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes, bool more) {
    // iconv takes any incomplete sequence at the end for a cut one, even
    // one that no continuation could make valid: judge the cut here.
    if (more) {
        bytes = withoutCutUtf8Sequence(bytes);
    }
    std::u16string text;
    if (!convert(utf8Converter(), bytes, false, OnInvalid::Fail, text)) {
        return std::nullopt;
    }
    return text;
}

std::u16string decodeGbk(std::string_view bytes, bool more) {
    std::u16string text;
    convert(gbkConverter(), bytes, more, OnInvalid::Replace, text);
    return text;
}

} // namespace keyloom
