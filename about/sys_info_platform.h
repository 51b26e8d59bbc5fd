// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace keyloom {

// A registry key handle as the registry calls pass it; 0 is the empty handle.
using RegistryKey = std::uintptr_t;

// The predefined root keys are 32-bit values widened with their sign, as
// the platform's headers widen them on 64-bit systems.
constexpr RegistryKey predefinedKey(std::uint32_t value) {
    return static_cast<RegistryKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
inline constexpr RegistryKey kHkeyCurrentUser = predefinedKey(0x80000001U);
inline constexpr RegistryKey kHkeyLocalMachine = predefinedKey(0x80000002U);

inline constexpr std::uint32_t kKeyRead = 0x20019U; // query, enumerate, notify, read control
inline constexpr std::uint32_t kRegString = 1U;
inline constexpr std::uint32_t kRegExpandString = 2U; // with %NAME% references to expand
inline constexpr std::uint32_t kRegDword = 4U;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorMoreData = 234;

// The three 8-bit registry calls the about box reads with, shaped like
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey: status 0 is success, key
// paths and value names are in the system code page and so is string data.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual std::int32_t openKey(RegistryKey root, std::string_view subKey, std::uint32_t options,
                                 std::uint32_t access, RegistryKey& key) = 0;
    // `size` goes in as the buffer's size in bytes and comes back as the
    // value's size.
    virtual std::int32_t queryValue(RegistryKey key, std::string_view valueName,
                                    std::uint32_t& type, std::span<std::uint8_t> data,
                                    std::uint32_t& size) = 0;
    virtual std::int32_t closeKey(RegistryKey key) = 0;

    // How text crosses the 8-bit calls.
    [[nodiscard]] virtual std::string toSystemCodePage(std::u16string_view text) const = 0;
    [[nodiscard]] virtual std::u16string fromSystemCodePage(std::string_view bytes) const = 0;
    // An expandable string's %NAME% references replaced by the values of the
    // environment variables they name, as ExpandEnvironmentStringsA does;
    // text and result in the system code page.
    [[nodiscard]] virtual std::string expandEnvironmentStrings(std::string_view bytes) const = 0;
};

class FileFinder {
  public:
    virtual ~FileFinder() = default;
    // The name of the normal file that `path` names, or empty when there is
    // none (a directory, a hidden or system entry, nothing at all).
    [[nodiscard]] virtual std::u16string findFile(std::u16string_view path) const = 0;
};

class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;
    // Starts the program in a normal, activated window without waiting for
    // it; raises std::runtime_error when it cannot be started.
    virtual void start(std::u16string_view path) = 0;
};

class MessageDialog {
  public:
    virtual ~MessageDialog() = default;
    // A text with one OK button; returns when the user has closed it.
    virtual void show(std::u16string_view text) = 0;
};

} // namespace keyloom
