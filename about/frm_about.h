// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/sys_info_platform.h"
#include "version.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace keyloom {

// The application's identity as the about box shows it.
struct AppInfo {
    std::u16string_view title;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

inline constexpr AppInfo kKeyloomApp{.title = kApplicationTitle,
                                     .major = kVersionMajor,
                                     .minor = kVersionMinor,
                                     .revision = kVersionRevision};

// The captions the about box's load step sets.
struct AboutCaptions {
    std::u16string window;
    std::u16string lblTitle;
    std::u16string lblVersion;
};

inline constexpr std::u16string_view kSysInfoUnavailable = u"此时系统信息不可用";

// The platform the system-information button works with.
struct SysInfoPlatform {
    Registry& registry;
    const FileFinder& files;
    ProgramStarter& starter;
    MessageDialog& messages;
};

// The about box's logic: the captions it loads with and the search for the
// system-information tool.
class FrmAbout {
  public:
    // `root` is where both registry entries are looked up; only tests pass
    // anything but HKEY_LOCAL_MACHINE.
    explicit FrmAbout(SysInfoPlatform platform, RegistryKey root = kHkeyLocalMachine)
        : p_(platform), root_(root) {}

    static void Form_Load(AboutCaptions& captions, const AppInfo& app = kKeyloomApp);

    void cmdSysInfo_Click() { StartSysInfo(); }

    // Starts the tool that the registry names, or says it is unavailable.
    void StartSysInfo();

    // Reads one value as text: -1 when found, 0 (and an empty text) when the
    // key cannot be opened or the value is missing or over 1,024 bytes.
    std::int16_t GetKeyValue(RegistryKey& root, std::u16string_view keyPath,
                             std::u16string_view valueName, std::u16string& valueText);

  private:
    SysInfoPlatform p_;
    RegistryKey root_;
};

} // namespace keyloom
