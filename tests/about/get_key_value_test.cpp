// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/about/fake_sys_info_platform.h"

#include <gtest/gtest.h>

namespace keyloom::test {
namespace {

const std::string kKey = "SOFTWARE\\Keyloom";

std::string littleEndian(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFFU));
    }
    return bytes;
}

struct Read {
    const char* name;
    FakeValue stored;
    std::u16string passedIn;
    std::int16_t result;
    std::u16string text;
};

void PrintTo(const Read& c, std::ostream* os) {
    *os << c.name;
}

const Read kReads[] = {
    {"StringWithItsZero", {kRegString, std::string("C:\\a b") + '\0'}, u"", -1, u"C:\\a b"},
    {"StringWithoutItsZero", {kRegString, "C:\\a b"}, u"", -1, u"C:\\a b"},
    {"StringReplacesThePassedText", {kRegString, "new"}, u"old", -1, u"new"},
    {"OnlyOneZeroIsDropped",
     {kRegString, std::string("ab\0\0", 4)},
     u"",
     -1,
     std::u16string(u"ab\0", 3)},
    {"EmptyString", {kRegString, ""}, u"old", -1, u""},
    {"Exactly1024Bytes", {kRegString, std::string(1024, 'y')}, u"", -1, std::u16string(1024, u'y')},
    {"Over1024BytesIsNotFound", {kRegString, std::string(1025, 'y')}, u"old", 0, u""},
    {"DwordGivesItsDecimalText", {kRegDword, littleEndian(0x12345678)}, u"", -1, u"305419896"},
    {"DwordWithZeroHighByte", {kRegDword, littleEndian(0x00FF0000)}, u"", -1, u"16711680"},
    {"SmallDword", {kRegDword, littleEndian(5)}, u"", -1, u"5"},
    {"DwordZero", {kRegDword, littleEndian(0)}, u"", -1, u"0"},
    {"DwordAllOnesReadsAs32BitNumber", {kRegDword, littleEndian(0xFFFFFFFF)}, u"", -1, u"-1"},
    {"DwordAfterNonHexTextStaysHexText", {kRegDword, littleEndian(1)}, u"x", -1, u"&hx000001"},
    {"ExpandableStringIsExpanded",
     {kRegExpandString, std::string(R"(%ToolsDir%\x.exe)") + '\0'},
     u"old",
     -1,
     uR"(C:\Tools\x.exe)"},
    {"UnknownReferenceStays", {kRegExpandString, "%Nothing%\\x"}, u"", -1, uR"(%Nothing%\x)"},
    {"OtherTypeKeepsThePassedText", {3, "\x01\x02"}, u"kept", -1, u"kept"},
};

class GetKeyValueTest : public testing::TestWithParam<Read> {};

TEST_P(GetKeyValueTest, ReadsTheValueAsText) {
    const Read& read = GetParam();
    FakeSysInfoPlatform fake;
    fake.registry.set(kHkeyLocalMachine, kKey, "V", read.stored);
    FrmAbout about(fake.platform());
    RegistryKey root = kHkeyLocalMachine;
    std::u16string text = read.passedIn;

    EXPECT_EQ(about.GetKeyValue(root, u"SOFTWARE\\Keyloom", u"V", text), read.result);
    EXPECT_EQ(text, read.text);
    EXPECT_EQ(fake.registry.openHandles, 0);
    EXPECT_EQ(fake.registry.closeCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, testing::ValuesIn(kReads),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(GetKeyValueTest, MissingKeyOrValueEmptiesTheText) {
    FakeSysInfoPlatform fake;
    fake.registry.set(kHkeyLocalMachine, kKey, "V", {kRegString, "x"});
    FrmAbout about(fake.platform());
    RegistryKey root = kHkeyLocalMachine;

    std::u16string text = u"old";
    EXPECT_EQ(about.GetKeyValue(root, u"SOFTWARE\\Nothing", u"V", text), 0);
    EXPECT_EQ(text, u"");
    text = u"old";
    EXPECT_EQ(about.GetKeyValue(root, u"SOFTWARE\\Keyloom", u"W", text), 0);
    EXPECT_EQ(text, u"");

    EXPECT_EQ(fake.registry.closeCalls, 2); // the empty handle too, its status ignored
    EXPECT_EQ(fake.registry.openHandles, 0);
    EXPECT_EQ(fake.registry.accessMasks, (std::vector<std::uint32_t>{kKeyRead, kKeyRead}));
}

TEST(AboutFormLoadTest, CaptionsCarryTitleAndVersion) {
    struct Case {
        AppInfo app;
        std::u16string_view window;
        std::u16string_view version;
    };
    const Case cases[] = {
        {kKeyloomApp, u"关于 KeyloomV1.0", u"版本 1.0.0"},
        {{.title = u"T", .major = 2, .minor = 10, .revision = 3}, u"关于 T", u"版本 2.10.3"},
    };
    for (const Case& c : cases) {
        AboutCaptions captions{
            .window = u"关于我的应用程序", .lblTitle = u"Keyloom ", .lblVersion = u"版本 V1.0"};
        FrmAbout::Form_Load(captions, c.app);
        EXPECT_EQ(captions.window, c.window);
        EXPECT_EQ(captions.lblVersion, c.version);
        EXPECT_EQ(captions.lblTitle, c.app.title);
    }
}

} // namespace
} // namespace keyloom::test
