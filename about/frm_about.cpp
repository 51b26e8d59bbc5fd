// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/frm_about.h"

#include "about/general_format.h"

#include <array>
#include <exception>
#include <string>

namespace keyloom {
namespace {

constexpr std::u16string_view kMsInfoKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::u16string_view kMsInfoValue = u"PATH";
constexpr std::u16string_view kLocationKey = u"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::u16string_view kLocationValue = u"MSINFO";
constexpr std::u16string_view kToolFile = u"\\MSINFO32.EXE";

constexpr std::size_t kValueBufferSize = 1024;

constexpr std::int16_t kFound = -1;
constexpr std::int16_t kNotFound = 0;

std::u16string decimal(int number) {
    const std::string text = std::to_string(number);
    return {text.begin(), text.end()};
}

// Two upper-case digits for each byte, the last byte first.
std::u16string hexMostSignificantFirst(std::span<const std::uint8_t> bytes) {
    constexpr std::u16string_view digits = u"0123456789ABCDEF";
    std::u16string text;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        text.push_back(digits[bytes[i] >> 4U]);
        text.push_back(digits[bytes[i] & 0xFU]);
    }
    return text;
}

} // namespace

void FrmAbout::Form_Load(AboutCaptions& captions, const AppInfo& app) {
    captions.window = std::u16string(u"关于 ") + std::u16string(app.title);
    captions.lblVersion =
        u"版本 " + decimal(app.major) + u"." + decimal(app.minor) + u"." + decimal(app.revision);
    captions.lblTitle = app.title;
}

void FrmAbout::StartSysInfo() {
    try {
        std::u16string path;
        RegistryKey root = root_;
        if (GetKeyValue(root, kMsInfoKey, kMsInfoValue, path) != kFound) {
            if (GetKeyValue(root, kLocationKey, kLocationValue, path) == kNotFound) {
                p_.messages.show(kSysInfoUnavailable);
                return;
            }
            const std::u16string tool = path + std::u16string(kToolFile);
            if (p_.files.findFile(tool).empty()) {
                p_.messages.show(kSysInfoUnavailable);
                return;
            }
            path = tool;
        }
        p_.starter.start(path);
    } catch (const std::exception&) {
        p_.messages.show(kSysInfoUnavailable);
    }
}

std::int16_t FrmAbout::GetKeyValue(RegistryKey& root, std::u16string_view keyPath,
                                   std::u16string_view valueName, std::u16string& valueText) {
    Registry& registry = p_.registry;
    RegistryKey key = 0;
    std::int16_t result = kNotFound;
    if (registry.openKey(root, registry.toSystemCodePage(keyPath), 0, kKeyRead, key) != 0) {
        valueText.clear();
    } else {
        std::array<std::uint8_t, kValueBufferSize> buffer{};
        std::uint32_t type = 0;
        auto size = static_cast<std::uint32_t>(buffer.size());
        if (registry.queryValue(key, registry.toSystemCodePage(valueName), type, buffer, size) !=
            0) {
            valueText.clear();
        } else {
            std::span<const std::uint8_t> bytes(buffer.data(),
                                                std::min<std::size_t>(size, buffer.size()));
            if (!bytes.empty() && bytes.back() == 0) {
                bytes = bytes.first(bytes.size() - 1);
            }
            const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            if (type == kRegString) {
                valueText = registry.fromSystemCodePage(text);
            } else if (type == kRegExpandString) {
                // Installers store paths such as %ProgramFiles%\...: expanded,
                // they serve as a plain string does.
                valueText = registry.fromSystemCodePage(registry.expandEnvironmentStrings(text));
            } else if (type == kRegDword) {
                valueText = formatGeneral(u"&h" + valueText + hexMostSignificantFirst(bytes));
            }
            result = kFound;
        }
    }
    registry.closeKey(key);
    return result;
}

} // namespace keyloom
