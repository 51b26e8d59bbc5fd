// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/frm_about.h"
#include "about/system_platform.h"
#include "tests/windows/windows_scratch.h"

#include <array>
#include <gtest/gtest.h>

namespace keyloom::test {
namespace {

class NoMessages : public MessageDialog {
  public:
    void show(std::u16string_view /*text*/) override { ADD_FAILURE() << "no message expected"; }
};

class RegistryTest : public testing::Test {
  protected:
    std::int16_t read(std::u16string_view subKey, std::u16string_view name, std::u16string& text) {
        RegistryKey root = scratch.root();
        return about.GetKeyValue(root, subKey, name, text);
    }

    ScratchKey scratch;
    NoMessages messages;
    FrmAbout about{{systemRegistry(), systemFileFinder(), systemProgramStarter(), messages}};
};

TEST_F(RegistryTest, StringWithAndWithoutItsZeroReadsTheSame) {
    scratch.setBytes("K", "with", REG_SZ, std::string(R"(C:\Tools\x.exe)") + '\0');
    scratch.setBytes("K", "without", REG_SZ, R"(C:\Tools\x.exe)");
    std::u16string with;
    std::u16string without = u"old";
    EXPECT_EQ(read(u"K", u"with", with), -1);
    EXPECT_EQ(read(u"K", u"without", without), -1);
    EXPECT_EQ(with, uR"(C:\Tools\x.exe)");
    EXPECT_EQ(without, with);
}

TEST_F(RegistryTest, ValueOver1024BytesCountsAsNotFound) {
    scratch.setString("K", "fits", std::string(1023, 'a')); // 1,024 with its zero
    scratch.setString("K", "long", std::string(2000, 'a'));
    std::u16string text = u"old";
    EXPECT_EQ(read(u"K", u"fits", text), -1);
    EXPECT_EQ(text, std::u16string(1023, u'a'));
    EXPECT_EQ(read(u"K", u"long", text), 0);
    EXPECT_EQ(text, u"");
}

TEST_F(RegistryTest, MissingKeyOrValueIsNotFound) {
    scratch.setString("K", "v", "x");
    std::u16string text = u"old";
    EXPECT_EQ(read(u"Missing", u"v", text), 0);
    EXPECT_EQ(text, u"");
    text = u"old";
    EXPECT_EQ(read(u"K", u"missing", text), 0);
    EXPECT_EQ(text, u"");
}

TEST_F(RegistryTest, DwordGivesItsDecimalText) {
    const std::pair<DWORD, std::u16string_view> cases[] = {
        {0x12345678, u"305419896"}, {5, u"5"}, {0, u"0"}, {0xFFFFFFFF, u"-1"}};
    for (const auto& [value, decimal] : cases) {
        scratch.setDword("K", "n", value);
        std::u16string text;
        EXPECT_EQ(read(u"K", u"n", text), -1);
        EXPECT_EQ(text, decimal) << value;
    }
}

TEST_F(RegistryTest, StringComesBackThroughTheSystemCodePage) {
    if (GetACP() != 936) {
        GTEST_SKIP() << "needs the Chinese system code page (zh_CN locale), not " << GetACP();
    }
    scratch.setWide("K", "PATH", L"C:\\工具\\系统信息.exe");
    std::u16string text;
    EXPECT_EQ(read(u"K", u"PATH", text), -1);
    EXPECT_EQ(text, u"C:\\工具\\系统信息.exe");
}

TEST_F(RegistryTest, ExpandableStringIsExpanded) {
    std::array<char, MAX_PATH> systemRoot{};
    const DWORD length =
        GetEnvironmentVariableA("SystemRoot", systemRoot.data(), systemRoot.size());
    ASSERT_GT(length, 0U);
    scratch.setBytes("K", "PATH", REG_EXPAND_SZ, std::string("%SystemRoot%\\notepad.exe") + '\0');
    scratch.setBytes("K", "unknown", REG_EXPAND_SZ, "%KEYLOOM_UNSET%\\x");
    std::u16string text;
    EXPECT_EQ(read(u"K", u"PATH", text), -1);
    const std::string expanded = std::string(systemRoot.data(), length) + "\\notepad.exe";
    EXPECT_EQ(text, std::u16string(expanded.begin(), expanded.end())); // ASCII
    EXPECT_EQ(read(u"K", u"unknown", text), -1);
    EXPECT_EQ(text, u"%KEYLOOM_UNSET%\\x");
}

TEST_F(RegistryTest, KeysOpenReadOnly) {
    scratch.setString("K", "v", "x");
    RegistryKey key = 0;
    Registry& registry = systemRegistry();
    ASSERT_EQ(registry.openKey(scratch.root(), "K", 0, kKeyRead, key), 0);
    const BYTE byte = 1;
    auto* const handle = reinterpret_cast<HKEY>(key); // NOLINT(performance-no-int-to-ptr)
    EXPECT_EQ(RegSetValueExA(handle, "w", 0, REG_BINARY, &byte, 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.closeKey(key), 0);
}

} // namespace
} // namespace keyloom::test
