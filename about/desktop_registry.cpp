// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/desktop_registry.h"

#include "text/utf8_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace keyloom {
namespace {

constexpr RegistryKey kMsInfoKey = 1;
constexpr std::int32_t kErrorInvalidHandle = 6;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

std::optional<std::string> findDesktopSysInfoProgram(std::string_view searchPath) {
    for (const std::string_view program : kDesktopSysInfoPrograms) {
        std::string_view rest = searchPath;
        while (true) {
            const std::size_t colon = rest.find(':');
            const std::string_view dir = rest.substr(0, colon);
            // An empty entry means the current directory, which is no place
            // to pick a program from for the user.
            if (!dir.empty() && dir.front() == '/') {
                std::string candidate = std::string(dir) + "/" + std::string(program);
                if (::access(candidate.c_str(), X_OK) == 0) {
                    return candidate;
                }
            }
            if (colon == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(colon + 1);
        }
    }
    return std::nullopt;
}

std::int32_t DesktopRegistry::openKey(RegistryKey root, std::string_view subKey,
                                      std::uint32_t /*options*/, std::uint32_t /*access*/,
                                      RegistryKey& key) {
    key = 0;
    if (root != kHkeyLocalMachine ||
        !equalsIgnoringCase(subKey, R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)")) {
        return kErrorFileNotFound;
    }
    std::optional<std::string> program = findProgram_();
    if (!program) {
        return kErrorFileNotFound;
    }
    program_ = std::move(*program);
    open_ = true;
    key = kMsInfoKey;
    return 0;
}

std::int32_t DesktopRegistry::queryValue(RegistryKey key, std::string_view valueName,
                                         std::uint32_t& type, std::span<std::uint8_t> data,
                                         std::uint32_t& size) {
    if (key != kMsInfoKey || !open_) {
        return kErrorInvalidHandle;
    }
    if (!equalsIgnoringCase(valueName, "PATH")) {
        return kErrorFileNotFound;
    }
    const std::size_t needed = program_.size() + 1; // with its terminating zero
    const std::size_t room = std::min<std::size_t>(size, data.size());
    type = kRegString;
    size = static_cast<std::uint32_t>(needed);
    if (needed > room) {
        return kErrorMoreData;
    }
    std::memcpy(data.data(), program_.c_str(), needed);
    return 0;
}

std::int32_t DesktopRegistry::closeKey(RegistryKey key) {
    if (key != kMsInfoKey || !open_) {
        return kErrorInvalidHandle;
    }
    open_ = false;
    program_.clear();
    return 0;
}

std::string DesktopRegistry::toSystemCodePage(std::u16string_view text) const {
    return toUtf8(text);
}

std::u16string DesktopRegistry::fromSystemCodePage(std::string_view bytes) const {
    return fromUtf8(bytes);
}

std::string DesktopRegistry::expandEnvironmentStrings(std::string_view bytes) const {
    std::string out;
    while (!bytes.empty()) {
        const std::size_t open = bytes.find('%');
        const std::size_t close = open == std::string_view::npos ? open : bytes.find('%', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        out += bytes.substr(0, open);
        const std::string name(bytes.substr(open + 1, close - open - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value != nullptr) {
            out += value;
            bytes.remove_prefix(close + 1);
        } else {
            // The closing % may open the next reference.
            out += bytes.substr(open, close - open);
            bytes.remove_prefix(close);
        }
    }
    out += bytes;
    return out;
}

} // namespace keyloom
