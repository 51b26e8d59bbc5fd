// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/frm_about.h"
#include "about/system_platform.h"
#include "tests/windows/windows_scratch.h"

#include <gtest/gtest.h>

namespace keyloom::test {
namespace {

namespace fs = std::filesystem;

const std::string kMsInfo = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
const std::string kLocation = R"(SOFTWARE\Microsoft\Shared Tools Location)";

// The real registry, with a log of the values asked for.
class LoggingRegistry : public Registry {
  public:
    std::int32_t openKey(RegistryKey root, std::string_view subKey, std::uint32_t options,
                         std::uint32_t access, RegistryKey& key) override {
        return real_.openKey(root, subKey, options, access, key);
    }
    std::int32_t queryValue(RegistryKey key, std::string_view valueName, std::uint32_t& type,
                            std::span<std::uint8_t> data, std::uint32_t& size) override {
        queried.emplace_back(valueName);
        return real_.queryValue(key, valueName, type, data, size);
    }
    std::int32_t closeKey(RegistryKey key) override { return real_.closeKey(key); }
    [[nodiscard]] std::string toSystemCodePage(std::u16string_view text) const override {
        return real_.toSystemCodePage(text);
    }
    [[nodiscard]] std::u16string fromSystemCodePage(std::string_view bytes) const override {
        return real_.fromSystemCodePage(bytes);
    }
    [[nodiscard]] std::string expandEnvironmentStrings(std::string_view bytes) const override {
        return real_.expandEnvironmentStrings(bytes);
    }
    std::vector<std::string> queried;

  private:
    Registry& real_ = systemRegistry();
};

class RecordingMessages : public MessageDialog {
  public:
    void show(std::u16string_view text) override { shown.emplace_back(text); }
    std::vector<std::u16string> shown;
};

class StartSysInfoWindowsTest : public testing::Test {
  protected:
    void press() { FrmAbout(platform, scratch.root()).StartSysInfo(); }
    [[nodiscard]] bool messageShown() const {
        return messages.shown == std::vector<std::u16string>{std::u16string(kSysInfoUnavailable)};
    }

    ScratchKey scratch;
    ScratchFolder folder;
    LoggingRegistry registry;
    RecordingMessages messages;
    SysInfoPlatform platform{registry, systemFileFinder(), systemProgramStarter(), messages};
};

TEST_F(StartSysInfoWindowsTest, PathNamingAProgramStartsItAndTheSecondEntryIsNeverRead) {
    const fs::path program = folder.path() / "tool.exe";
    fs::copy_file(witnessProgram(), program);
    scratch.setString(kMsInfo, "PATH", ansiPath(program));
    scratch.setString(kLocation, "MSINFO", ansiPath(folder.path()));

    press();

    EXPECT_TRUE(waitForFile(program.wstring() + L".witness"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registry.queried, std::vector<std::string>{"PATH"});
}

TEST_F(StartSysInfoWindowsTest, ExpandablePathStartsItsProgram) {
    const fs::path program = folder.path() / "tool.exe";
    fs::copy_file(witnessProgram(), program);
    ASSERT_NE(SetEnvironmentVariableA("KEYLOOM_TOOLS", ansiPath(folder.path()).c_str()), 0);
    scratch.setBytes(kMsInfo, "PATH", REG_EXPAND_SZ,
                     std::string("%KEYLOOM_TOOLS%\\tool.exe") + '\0');
    scratch.setString(kLocation, "MSINFO", ansiPath(folder.path()));

    press();

    EXPECT_TRUE(waitForFile(program.wstring() + L".witness"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registry.queried, std::vector<std::string>{"PATH"});
    SetEnvironmentVariableA("KEYLOOM_TOOLS", nullptr);
}

TEST_F(StartSysInfoWindowsTest, PathNamingAMissingFileShowsTheMessage) {
    scratch.setString(kMsInfo, "PATH", ansiPath(folder.path() / "missing.exe"));
    fs::copy_file(witnessProgram(), folder.path() / "MSINFO32.EXE");
    scratch.setString(kLocation, "MSINFO", ansiPath(folder.path()));

    press();

    EXPECT_TRUE(messageShown());
    EXPECT_EQ(registry.queried, std::vector<std::string>{"PATH"});
    EXPECT_FALSE(fs::exists(folder.path() / "MSINFO32.EXE.witness"));
}

TEST_F(StartSysInfoWindowsTest, WithoutPathTheToolInTheSecondEntrysDirectoryStarts) {
    fs::copy_file(witnessProgram(), folder.path() / "MSINFO32.EXE");
    scratch.setString(kLocation, "MSINFO", ansiPath(folder.path()));

    press();

    EXPECT_TRUE(waitForFile(folder.path() / "MSINFO32.EXE.witness"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(registry.queried, std::vector<std::string>{"MSINFO"});
}

TEST_F(StartSysInfoWindowsTest, DirectoryWithoutTheToolOrNoEntryShowsTheMessage) {
    press();
    EXPECT_TRUE(messageShown());

    messages.shown.clear();
    fs::create_directory(folder.path() / "MSINFO32.EXE"); // a directory is no tool
    scratch.setString(kLocation, "MSINFO", ansiPath(folder.path()));
    press();
    EXPECT_TRUE(messageShown());
}

} // namespace
} // namespace keyloom::test
