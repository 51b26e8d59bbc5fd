// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/command_line.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace keyloom {
namespace {

// What a command line gives: a run of a lesson file (empty: the usual
// lesson), or an answer on stdout or stderr with its exit status.
struct Runs {
    std::string lessonFile;
};
struct Answers {
    int exitStatus;
    bool onStandardError;
    std::string mentions;
    std::string lacks = "\x01";
};

TEST(CommandLine, EachLineHasItsOutcome) {
    const struct {
        std::vector<std::string> arguments;
        std::variant<Runs, Answers> outcome;
    } rows[] = {
        {{}, Runs{""}},
        {{"poem.txt"}, Runs{"poem.txt"}},
        {{"-"}, Runs{"-"}},
        {{"--", "--help"}, Runs{"--help"}},
        {{"\xD6\xD0\xFF.txt"}, Runs{"\xD6\xD0\xFF.txt"}},
        {{"--help"}, Answers{0, false, "--version", "--help-all"}},
        {{"-h"}, Answers{0, false, "Usage: keyloom [options] [FILE]"}},
        {{"poem.txt", "--help"}, Answers{0, false, "Ctrl+O"}},
        {{"--version"}, Answers{0, false, "keyloom 1.2.3\n"}},
        {{"-v"}, Answers{0, false, "keyloom 1.2.3\n"}},
        {{"-help"}, Answers{2, true, "Did you mean '--help'?", "'h'"}},
        {{"-version"}, Answers{2, true, "Did you mean '--version'?"}},
        {{"--bogus"}, Answers{2, true, "Unknown option 'bogus'."}},
        {{"-x"}, Answers{2, true, "Try 'keyloom --help'"}},
        {{"--help-all"}, Answers{2, true, "Unknown option 'help-all'."}},
        {{"--version=2"}, Answers{2, true, "takes no argument"}},
        {{"a.txt", "b.txt"}, Answers{2, true, "Only one lesson file"}},
    };
    for (const auto& row : rows) {
        std::string line;
        for (const std::string& argument : row.arguments) {
            line += " " + argument;
        }
        const auto parsed = parseCommandLine(row.arguments, "keyloom", "1.2.3");
        if (const auto* runs = std::get_if<Runs>(&row.outcome)) {
            ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed)) << line;
            const CommandLine& got = std::get<CommandLine>(parsed);
            EXPECT_EQ(got.lessonFile.value_or(""), runs->lessonFile) << line;
            EXPECT_EQ(got.readsStandardInput(), runs->lessonFile == "-") << line;
        } else {
            const Answers& answers = std::get<Answers>(row.outcome);
            ASSERT_TRUE(std::holds_alternative<CommandLineAnswer>(parsed)) << line;
            const CommandLineAnswer& got = std::get<CommandLineAnswer>(parsed);
            EXPECT_EQ(got.exitStatus, answers.exitStatus) << line;
            EXPECT_EQ(got.onStandardError, answers.onStandardError) << line;
            EXPECT_NE(got.text.find(answers.mentions), std::string::npos)
                << line << ": " << got.text;
            EXPECT_EQ(got.text.find(answers.lacks), std::string::npos) << line << ": " << got.text;
        }
    }
}

} // namespace
} // namespace keyloom
