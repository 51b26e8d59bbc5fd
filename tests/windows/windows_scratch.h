// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/sys_info_platform.h"

#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>

namespace keyloom::test {

// A key of its own under HKEY_CURRENT_USER, deleted with everything below it.
class ScratchKey {
  public:
    ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    ~ScratchKey();

    [[nodiscard]] RegistryKey root() const { return reinterpret_cast<RegistryKey>(key_); }
    void setBytes(const std::string& subKey, const std::string& name, DWORD type,
                  const std::string& bytes) const;
    void setString(const std::string& subKey, const std::string& name,
                   const std::string& text) const; // with its terminating zero
    void setWide(const std::string& subKey, const std::string& name,
                 const std::wstring& text) const;
    void setDword(const std::string& subKey, const std::string& name, DWORD value) const;

  private:
    [[nodiscard]] HKEY create(const std::string& subKey) const;
    HKEY key_ = nullptr;
    std::string path_;
};

// A fresh directory in the temporary folder, removed with its contents.
class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The helper program built beside the tests, which leaves a witness file.
std::filesystem::path witnessProgram();
// Waits up to ten seconds for `file` to appear.
bool waitForFile(const std::filesystem::path& file);
// A path as the 8-bit calls see it, in the system code page.
std::string ansiPath(const std::filesystem::path& path);

} // namespace keyloom::test
