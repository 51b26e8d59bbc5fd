// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/frm_about.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace keyloom::test {

struct FakeValue {
    std::uint32_t type = kRegString;
    std::string bytes;
};

// An in-memory registry that answers like the 8-bit calls and keeps a log of
// what was asked, so tests can tell which entries were read.
class FakeRegistry : public Registry {
  public:
    void set(RegistryKey root, const std::string& key, const std::string& name, FakeValue value);
    void addKey(RegistryKey root, const std::string& key);
    void failWith(std::string message) { failure_ = std::move(message); }

    std::int32_t openKey(RegistryKey root, std::string_view subKey, std::uint32_t options,
                         std::uint32_t access, RegistryKey& key) override;
    std::int32_t queryValue(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                            std::span<std::uint8_t> data, std::uint32_t& size) override;
    std::int32_t closeKey(RegistryKey key) override;
    [[nodiscard]] std::string toSystemCodePage(std::u16string_view text) const override;
    [[nodiscard]] std::u16string fromSystemCodePage(std::string_view bytes) const override;
    // Each %NAME% of `environment` replaced by its value.
    [[nodiscard]] std::string expandEnvironmentStrings(std::string_view bytes) const override;

    std::map<std::string, std::string> environment{{"ToolsDir", R"(C:\Tools)"}};
    std::vector<std::string> queried;       // value names, in order
    std::vector<std::uint32_t> accessMasks; // of every open
    int openHandles = 0;
    int closeCalls = 0;

  private:
    using Values = std::map<std::string, FakeValue>;
    std::map<std::pair<RegistryKey, std::string>, Values> keys_;
    std::map<RegistryKey, const Values*> open_;
    RegistryKey nextHandle_ = 100;
    std::string failure_;
};

class FakeFiles : public FileFinder {
  public:
    [[nodiscard]] std::u16string findFile(std::u16string_view path) const override;
    std::map<std::u16string, std::u16string> names; // path -> entry name
    bool raise = false;
};

class FakeStarter : public ProgramStarter {
  public:
    void start(std::u16string_view path) override;
    std::set<std::u16string> startable;
    std::vector<std::u16string> started;
};

class FakeMessages : public MessageDialog {
  public:
    void show(std::u16string_view text) override { shown.emplace_back(text); }
    std::vector<std::u16string> shown;
};

struct FakeSysInfoPlatform {
    FakeRegistry registry;
    FakeFiles files;
    FakeStarter starter;
    FakeMessages messages;
    SysInfoPlatform platform() { return {registry, files, starter, messages}; }
};

} // namespace keyloom::test
