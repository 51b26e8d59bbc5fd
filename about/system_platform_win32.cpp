// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/system_platform.h"

#include <stdexcept>
#include <string>
#include <windows.h>

#include <shellapi.h>

namespace keyloom {
namespace {

HKEY toHandle(RegistryKey key) {
    return reinterpret_cast<HKEY>(key); // NOLINT(performance-no-int-to-ptr): a handle value
}

std::string toAnsi(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

std::u16string fromAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        needed);
    return text;
}

class WindowsRegistry : public Registry {
  public:
    std::int32_t openKey(RegistryKey root, std::string_view subKey, std::uint32_t options,
                         std::uint32_t access, RegistryKey& key) override {
        HKEY opened = nullptr;
        const std::string path(subKey);
        const LSTATUS status =
            RegOpenKeyExA(toHandle(root), path.c_str(), options, access, &opened);
        key = reinterpret_cast<RegistryKey>(opened);
        return status;
    }

    std::int32_t queryValue(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                            std::span<std::uint8_t> data, std::uint32_t& size) override {
        const std::string name(valueName);
        DWORD valueType = 0;
        DWORD valueSize = std::min<DWORD>(size, static_cast<DWORD>(data.size()));
        const LSTATUS status = RegQueryValueExA(toHandle(key), name.c_str(), nullptr, &valueType,
                                                data.data(), &valueSize);
        type = valueType;
        size = valueSize;
        return status;
    }

    std::int32_t closeKey(RegistryKey key) override { return RegCloseKey(toHandle(key)); }

    [[nodiscard]] std::string toSystemCodePage(std::u16string_view text) const override {
        return toAnsi(text);
    }
    [[nodiscard]] std::u16string fromSystemCodePage(std::string_view bytes) const override {
        return fromAnsi(bytes);
    }
    [[nodiscard]] std::string expandEnvironmentStrings(std::string_view bytes) const override {
        const std::string text(bytes);
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
        if (needed == 0) {
            throw std::runtime_error("cannot expand " + text);
        }
        std::string expanded(needed, '\0');
        const DWORD got = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
        if (got == 0 || got > needed) {
            throw std::runtime_error("cannot expand " + text);
        }
        expanded.resize(got - 1); // without the terminating zero
        return expanded;
    }
};

class WindowsFileFinder : public FileFinder {
  public:
    [[nodiscard]] std::u16string findFile(std::u16string_view path) const override {
        constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
        const std::string pattern = toAnsi(path);
        if (pattern.empty()) {
            return {};
        }
        WIN32_FIND_DATAA entry{};
        const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) {
            return {};
        }
        std::u16string name;
        do {
            if ((entry.dwFileAttributes & kNotNormal) == 0) {
                name = fromAnsi(entry.cFileName);
                break;
            }
        } while (FindNextFileA(search, &entry) != 0);
        FindClose(search);
        return name;
    }
};

class WindowsProgramStarter : public ProgramStarter {
  public:
    void start(std::u16string_view path) override {
        constexpr INT_PTR kLastError = 32; // ShellExecute's results up to 32 are errors
        const std::string file = toAnsi(path);
        if (file.empty()) {
            throw std::runtime_error("no program to start");
        }
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (result <= kLastError) {
            throw std::runtime_error("cannot start " + file + " (" + std::to_string(result) + ")");
        }
    }
};

} // namespace

Registry& systemRegistry() {
    static WindowsRegistry registry;
    return registry;
}

const FileFinder& systemFileFinder() {
    static const WindowsFileFinder finder;
    return finder;
}

ProgramStarter& systemProgramStarter() {
    static WindowsProgramStarter starter;
    return starter;
}

} // namespace keyloom
