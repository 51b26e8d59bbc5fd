// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/sys_info_platform.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace keyloom {

// Desktop programs that show the system's hardware and software, in the
// order they are preferred.
inline constexpr std::string_view kDesktopSysInfoPrograms[] = {"hardinfo", "kinfocenter", "cpu-x",
                                                               "gnome-system-monitor"};

// The full path of the first of those programs found in the directories of
// `searchPath` (a PATH value), or nothing.
std::optional<std::string> findDesktopSysInfoProgram(std::string_view searchPath);

// A registry without a registry behind it: under HKEY_LOCAL_MACHINE the key
// "SOFTWARE\Microsoft\Shared Tools\MSINFO" exists while the desktop has a
// system-information program, and its "PATH" is that program's path as a
// zero-terminated string. No other key exists. Text is UTF-8.
class DesktopRegistry : public Registry {
  public:
    using ProgramLookup = std::function<std::optional<std::string>()>;
    explicit DesktopRegistry(ProgramLookup findProgram) : findProgram_(std::move(findProgram)) {}

    std::int32_t openKey(RegistryKey root, std::string_view subKey, std::uint32_t options,
                         std::uint32_t access, RegistryKey& key) override;
    std::int32_t queryValue(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                            std::span<std::uint8_t> data, std::uint32_t& size) override;
    std::int32_t closeKey(RegistryKey key) override;

    [[nodiscard]] std::string toSystemCodePage(std::u16string_view text) const override;
    [[nodiscard]] std::u16string fromSystemCodePage(std::string_view bytes) const override;
    // From the process's environment; a reference to an unset variable, or
    // a lone %, stays as it is.
    [[nodiscard]] std::string expandEnvironmentStrings(std::string_view bytes) const override;

  private:
    ProgramLookup findProgram_;
    std::string program_; // while the key is open
    bool open_ = false;
};

} // namespace keyloom
