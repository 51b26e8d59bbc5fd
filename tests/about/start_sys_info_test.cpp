// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/about/fake_sys_info_platform.h"

#include <gtest/gtest.h>

namespace keyloom::test {
namespace {

const std::string kMsInfo = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
const std::string kLocation = R"(SOFTWARE\Microsoft\Shared Tools Location)";
constexpr std::u16string_view kTool = uR"(C:\Tools\msinfo32.exe)";
constexpr std::u16string_view kToolDir = uR"(C:\Tools)";
constexpr std::u16string_view kToolInDir = uR"(C:\Tools\MSINFO32.EXE)";

std::string zeroTerminated(std::string_view text) {
    return std::string(text) + '\0';
}

std::string narrow(std::u16string_view text) {
    return {text.begin(), text.end()};
}

struct Lookup {
    const char* name;
    void (*arrange)(FakeSysInfoPlatform&);
    std::vector<std::u16string> started;
    bool message;
    std::vector<std::string> queried;
};

void pathToTool(FakeSysInfoPlatform& p) {
    p.registry.set(kHkeyLocalMachine, kMsInfo, "PATH", {kRegString, zeroTerminated(narrow(kTool))});
    p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, narrow(kToolDir)});
    p.starter.startable.insert(std::u16string(kTool));
}

void PrintTo(const Lookup& c, std::ostream* os) {
    *os << c.name;
}

const Lookup kLookups[] = {
    {"PathStartsWithoutReadingTheSecondEntry",
     pathToTool,
     {std::u16string(kTool)},
     false,
     {"PATH"}},
    {"PathToMissingFileShowsTheMessage",
     [](FakeSysInfoPlatform& p) {
         pathToTool(p);
         p.starter.startable.clear();
     },
     {},
     true,
     {"PATH"}},
    {"DirectoryWithTheToolStartsIt",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, narrow(kToolDir)});
         p.files.names[std::u16string(kToolInDir)] = u"MSINFO32.EXE";
         p.starter.startable.insert(std::u16string(kToolInDir));
     },
     {std::u16string(kToolInDir)},
     false,
     {"MSINFO"}},
    {"DirectoryWithoutTheToolShowsTheMessage",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, narrow(kToolDir)});
         p.starter.startable.insert(std::u16string(kToolInDir));
     },
     {},
     true,
     {"MSINFO"}},
    {"NeitherEntryShowsTheMessage", [](FakeSysInfoPlatform&) {}, {}, true, {}},
    {"KeyWithoutPathMovesOn",
     [](FakeSysInfoPlatform& p) {
         p.registry.addKey(kHkeyLocalMachine, kMsInfo);
         p.registry.addKey(kHkeyLocalMachine, kLocation);
     },
     {},
     true,
     {"PATH", "MSINFO"}},
    {"PathOver1024BytesMovesOn",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyLocalMachine, kMsInfo, "PATH", {kRegString, std::string(1025, 'x')});
         p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, narrow(kToolDir)});
         p.files.names[std::u16string(kToolInDir)] = u"MSINFO32.EXE";
         p.starter.startable.insert(std::u16string(kToolInDir));
     },
     {std::u16string(kToolInDir)},
     false,
     {"PATH", "MSINFO"}},
    {"ExpandablePathStartsLikeAPlainOne",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyLocalMachine, kMsInfo, "PATH",
                        {kRegExpandString, zeroTerminated(R"(%ToolsDir%\msinfo32.exe)")});
         p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, "elsewhere"});
         p.starter.startable.insert(std::u16string(kTool));
     },
     {std::u16string(kTool)},
     false,
     {"PATH"}},
    {"PathOfAnotherTypeIsFoundButEmpty",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyLocalMachine, kMsInfo, "PATH", {3, zeroTerminated("C:\\x.exe")});
         p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, narrow(kToolDir)});
     },
     {},
     true,
     {"PATH"}},
    {"RegistryErrorShowsTheMessage",
     [](FakeSysInfoPlatform& p) { p.registry.failWith("registry unavailable"); },
     {},
     true,
     {}},
    {"ExistenceTestErrorShowsTheMessage",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyLocalMachine, kLocation, "MSINFO", {kRegString, narrow(kToolDir)});
         p.files.raise = true;
     },
     {},
     true,
     {"MSINFO"}},
    {"EntriesUnderAnotherRootAreNotSeen",
     [](FakeSysInfoPlatform& p) {
         p.registry.set(kHkeyCurrentUser, kMsInfo, "PATH", {kRegString, narrow(kTool)});
         p.starter.startable.insert(std::u16string(kTool));
     },
     {},
     true,
     {}},
};

class StartSysInfoTest : public testing::TestWithParam<Lookup> {};

TEST_P(StartSysInfoTest, FollowsTheLookupOrder) {
    const Lookup& lookup = GetParam();
    FakeSysInfoPlatform fake;
    lookup.arrange(fake);
    FrmAbout about(fake.platform());

    about.StartSysInfo();

    EXPECT_EQ(fake.starter.started, lookup.started);
    if (lookup.message) {
        EXPECT_EQ(fake.messages.shown,
                  std::vector<std::u16string>{std::u16string(kSysInfoUnavailable)});
    } else {
        EXPECT_TRUE(fake.messages.shown.empty());
    }
    EXPECT_EQ(fake.registry.queried, lookup.queried);
    EXPECT_EQ(fake.registry.openHandles, 0);
    for (const std::uint32_t access : fake.registry.accessMasks) {
        EXPECT_EQ(access, kKeyRead);
    }
}

INSTANTIATE_TEST_SUITE_P(Branches, StartSysInfoTest, testing::ValuesIn(kLookups),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(StartSysInfoTest, CanBePressedAgainAfterTheMessage) {
    FakeSysInfoPlatform fake;
    FrmAbout about(fake.platform());
    about.cmdSysInfo_Click();
    pathToTool(fake);
    about.cmdSysInfo_Click();
    EXPECT_EQ(fake.messages.shown.size(), 1U);
    EXPECT_EQ(fake.starter.started, std::vector<std::u16string>{std::u16string(kTool)});
}

TEST(StartSysInfoTest, UsesTheRootItWasGiven) {
    FakeSysInfoPlatform fake;
    fake.registry.set(kHkeyCurrentUser, kMsInfo, "PATH", {kRegString, narrow(kTool)});
    fake.starter.startable.insert(std::u16string(kTool));
    FrmAbout(fake.platform(), kHkeyCurrentUser).StartSysInfo();
    EXPECT_EQ(fake.starter.started, std::vector<std::u16string>{std::u16string(kTool)});
}

} // namespace
} // namespace keyloom::test
