// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/windows/windows_scratch.h"

#include <array>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace keyloom::test {
namespace {

std::string uniqueName() {
    static std::atomic<int> serial{0};
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
}

void check(LSTATUS status, const char* what) {
    if (status != ERROR_SUCCESS) {
        throw std::runtime_error(std::string(what) + " failed: " + std::to_string(status));
    }
}

} // namespace

ScratchKey::ScratchKey() : path_("Software\\Keyloom tests\\" + uniqueName()) {
    check(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key_, nullptr),
          "RegCreateKeyExA");
}

ScratchKey::~ScratchKey() {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
}

HKEY ScratchKey::create(const std::string& subKey) const {
    HKEY key = nullptr;
    check(RegCreateKeyExA(key_, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr),
          "RegCreateKeyExA");
    return key;
}

void ScratchKey::setBytes(const std::string& subKey, const std::string& name, DWORD type,
                          const std::string& bytes) const {
    const HKEY key = create(subKey);
    const LSTATUS status =
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    check(status, "RegSetValueExA");
}

void ScratchKey::setString(const std::string& subKey, const std::string& name,
                           const std::string& text) const {
    setBytes(subKey, name, REG_SZ, text + '\0');
}

void ScratchKey::setWide(const std::string& subKey, const std::string& name,
                         const std::wstring& text) const {
    const HKEY key = create(subKey);
    const std::wstring wideName(name.begin(), name.end());
    const LSTATUS status = RegSetValueExW(key, wideName.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text.c_str()),
                                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    check(status, "RegSetValueExW");
}

void ScratchKey::setDword(const std::string& subKey, const std::string& name, DWORD value) const {
    setBytes(subKey, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
}

ScratchFolder::ScratchFolder()
    : path_(std::filesystem::temp_directory_path() / ("keyloom-" + uniqueName())) {
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path witnessProgram() {
    std::array<wchar_t, MAX_PATH> self{};
    const DWORD length = GetModuleFileNameW(nullptr, self.data(), self.size());
    return std::filesystem::path(std::wstring(self.data(), length)).parent_path() /
           "keyloom_witness.exe";
}

bool waitForFile(const std::filesystem::path& file) {
    for (int i = 0; i < 200 && !std::filesystem::exists(file); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::filesystem::exists(file);
}

std::string ansiPath(const std::filesystem::path& path) {
    const std::wstring wide = path.wstring();
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

} // namespace keyloom::test
