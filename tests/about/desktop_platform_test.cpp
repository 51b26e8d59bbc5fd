// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/desktop_registry.h"
#include "about/frm_about.h"
#include "about/posix_programs.h"
#include "text/utf8_text.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

namespace keyloom {
namespace {

namespace fs = std::filesystem;

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "keyloom-about-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    [[nodiscard]] const fs::path& path() const { return path_; }

    // A shell script that leaves `<its path>.witness` behind when it runs.
    void addProgram(const fs::path& relative, bool executable = true) const {
        const fs::path file = path_ / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "#!/bin/sh\necho started > \"$0.witness\"\n";
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
    }

  private:
    fs::path path_;
};

bool waitFor(const fs::path& file) {
    for (int i = 0; i < 200 && !fs::exists(file); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return fs::exists(file);
}

class RecordingMessages : public MessageDialog {
  public:
    void show(std::u16string_view text) override { shown.emplace_back(text); }
    std::vector<std::u16string> shown;
};

TEST(DesktopSysInfoTest, PrefersProgramsInTheirOrderAndSkipsWhatCannotRun) {
    const ScratchDir dir;
    const fs::path a = dir.path() / "a";
    const fs::path b = dir.path() / "b";
    dir.addProgram("a/cpu-x");
    dir.addProgram("b/hardinfo");
    dir.addProgram("a/kinfocenter", false);
    const std::string both = a.string() + ":" + b.string();

    EXPECT_EQ(findDesktopSysInfoProgram(both), (b / "hardinfo").string());
    EXPECT_EQ(findDesktopSysInfoProgram(a.string()), (a / "cpu-x").string());
    EXPECT_EQ(findDesktopSysInfoProgram(""), std::nullopt);
    EXPECT_EQ(findDesktopSysInfoProgram(dir.path().string() + "::relative"), std::nullopt);
    // Relative entries, the empty one among them, name the current folder
    // and what lies below it: never searched, though programs are there.
    dir.addProgram("gnome-system-monitor");
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(findDesktopSysInfoProgram("a:b"), std::nullopt);
    EXPECT_EQ(findDesktopSysInfoProgram(".:"), std::nullopt);
    EXPECT_EQ(findDesktopSysInfoProgram(":"), std::nullopt);
    fs::current_path(before);
}

TEST(DesktopSysInfoTest, ButtonStartsTheDesktopProgramOrShowsTheMessage) {
    const ScratchDir dir;
    dir.addProgram("bin/hardinfo");
    const fs::path program = dir.path() / "bin/hardinfo";
    std::optional<std::string> installed;
    DesktopRegistry registry([&] { return installed; });
    const PosixFileFinder files;
    PosixProgramStarter starter;
    RecordingMessages messages;
    FrmAbout about({registry, files, starter, messages});

    about.StartSysInfo();
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{std::u16string(kSysInfoUnavailable)});

    installed = program.string();
    about.StartSysInfo();
    EXPECT_TRUE(waitFor(program.string() + ".witness"));
    EXPECT_EQ(messages.shown.size(), 1U);

    installed = (dir.path() / "gone").string();
    about.StartSysInfo();
    EXPECT_EQ(messages.shown.size(), 2U);
}

TEST(DesktopSysInfoTest, OnlyTheFirstEntryExists) {
    DesktopRegistry registry([] { return std::optional<std::string>("/usr/bin/hardinfo"); });
    RegistryKey key = 7;
    EXPECT_EQ(registry.openKey(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", 0,
                               kKeyRead, key),
              kErrorFileNotFound);
    EXPECT_EQ(key, 0U);
    EXPECT_EQ(registry.openKey(kHkeyCurrentUser, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0,
                               kKeyRead, key),
              kErrorFileNotFound);
    ASSERT_EQ(registry.openKey(kHkeyLocalMachine, "software\\microsoft\\shared tools\\msinfo", 0,
                               kKeyRead, key),
              0);
    std::array<std::uint8_t, 8> small{};
    std::uint32_t type = 0;
    std::uint32_t size = small.size();
    EXPECT_EQ(registry.queryValue(key, "PATH", type, small, size), kErrorMoreData);
    EXPECT_EQ(size, 18U);
    EXPECT_EQ(registry.queryValue(key, "Other", type, small, size), kErrorFileNotFound);
    // "/usr/bin/hardinfo" and its zero fill a buffer of 18 bytes exactly.
    std::array<std::uint8_t, 18> exact{};
    size = exact.size();
    EXPECT_EQ(registry.queryValue(key, "PATH", type, exact, size), 0);
    EXPECT_EQ(size, 18U);
    EXPECT_EQ(type, kRegString);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(exact.data())), "/usr/bin/hardinfo");
    EXPECT_EQ(registry.closeKey(key), 0);
    EXPECT_NE(registry.closeKey(0), 0);
    // A closed key answers nothing and closes no more.
    size = exact.size();
    EXPECT_NE(registry.queryValue(key, "PATH", type, exact, size), 0);
    EXPECT_NE(registry.closeKey(key), 0);
}

TEST(DesktopSysInfoTest, ExpandsReferencesFromTheEnvironment) {
    ::setenv("KEYLOOM_TOOLS", "/opt/tools", 1);
    ::unsetenv("KEYLOOM_UNSET");
    const DesktopRegistry registry([] { return std::nullopt; });
    EXPECT_EQ(registry.expandEnvironmentStrings("%KEYLOOM_TOOLS%/x"), "/opt/tools/x");
    EXPECT_EQ(registry.expandEnvironmentStrings("%KEYLOOM_UNSET%%KEYLOOM_TOOLS%"),
              "%KEYLOOM_UNSET%/opt/tools");
    EXPECT_EQ(registry.expandEnvironmentStrings("100% %% %"), "100% %% %");
    ::unsetenv("KEYLOOM_TOOLS");
}

TEST(PosixProgramsTest, FileFinderNamesOnlyNormalFiles) {
    const ScratchDir dir;
    dir.addProgram("tool");
    dir.addProgram(".hidden");
    const PosixFileFinder files;
    EXPECT_EQ(files.findFile(fromUtf8((dir.path() / "tool").string())), u"tool");
    EXPECT_EQ(files.findFile(fromUtf8((dir.path() / ".hidden").string())), u"");
    EXPECT_EQ(files.findFile(fromUtf8(dir.path().string())), u"");
    EXPECT_EQ(files.findFile(fromUtf8((dir.path() / "missing").string())), u"");
    EXPECT_EQ(files.findFile(u""), u"");
}

TEST(PosixProgramsTest, StarterRaisesForWhatCannotRunAndLeavesNoChild) {
    const ScratchDir dir;
    PosixProgramStarter starter;
    dir.addProgram("plain", false);
    const fs::path plain = dir.path() / "plain";
    EXPECT_THROW(starter.start(fromUtf8(plain.string())), std::runtime_error);
    EXPECT_THROW(starter.start(fromUtf8(dir.path().string())), std::runtime_error);
    EXPECT_THROW(starter.start(u""), std::runtime_error);

    dir.addProgram("工具/runs");
    const fs::path runs = dir.path() / "工具/runs";
    starter.start(fromUtf8(runs.string()));
    EXPECT_TRUE(waitFor(runs.string() + ".witness"));
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1); // nothing of ours to reap
}

pid_t failingFork() {
    errno = EAGAIN;
    return -1;
}

// Forks in the test process only: the process made to start the program
// cannot make another.
pid_t forkInTheTestProcessOnly() {
    static const pid_t testProcess = ::getpid();
    if (::getpid() != testProcess) {
        return failingFork();
    }
    return ::fork();
}

TEST(PosixProgramsTest, FailedForkShowsTheMessage) {
    const ScratchDir dir;
    dir.addProgram("bin/hardinfo");
    const fs::path program = dir.path() / "bin/hardinfo";
    for (const PosixProgramStarter::Fork fork : {&failingFork, &forkInTheTestProcessOnly}) {
        DesktopRegistry registry([&] { return std::optional<std::string>(program.string()); });
        const PosixFileFinder files;
        PosixProgramStarter starter(fork);
        RecordingMessages messages;
        FrmAbout({registry, files, starter, messages}).StartSysInfo();
        EXPECT_EQ(messages.shown, std::vector<std::u16string>{std::u16string(kSysInfoUnavailable)});
        int status = 0;
        EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1); // nothing of ours to reap
    }
    EXPECT_FALSE(fs::exists(program.string() + ".witness"));
}

TEST(Utf8TextTest, RoundTripsAndReplacesLoneSurrogates) {
    EXPECT_EQ(fromUtf8(toUtf8(u"/opt/工具/😀")), u"/opt/工具/😀");
    EXPECT_EQ(toUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(fromUtf8("\xFF"), u"");
}

} // namespace
} // namespace keyloom
