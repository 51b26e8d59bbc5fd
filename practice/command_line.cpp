// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/command_line.h"

#include <algorithm>
#include <array>

namespace keyloom {
namespace {

// Every option the program takes, in the order the help lists them.
constexpr std::array kOptions{
    CommandLineOption{.name = "--help",
                      .shortName = "-h",
                      .argument = "",
                      .help = "Show this summary and exit.",
                      .apply = [](CommandLine& line, std::string_view) { line.help = true; }},
    CommandLineOption{
        .name = "--text-name",
        .shortName = "",
        .argument = "NAME",
        .help = "Name the text in the practice journal (a new run is given\n"
                "                        its text's name this way).",
        .apply = [](CommandLine& line, std::string_view name) { line.textName = std::string(name); }},
    CommandLineOption{.name = "--version",
                      .shortName = "-v",
                      .argument = "",
                      .help = "Show the version and exit.",
                      .apply = [](CommandLine& line, std::string_view) { line.version = true; }},
    CommandLineOption{
        .name = "--set",
        .shortName = "",
        .argument = "NAME",
        .help = "Follow a course through a text the lesson window (F5) lists.",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.set = std::string(value); }},
    CommandLineOption{
        .name = "--length",
        .shortName = "",
        .argument = "N",
        .help = "Segments of up to N characters (default 20), or 全文.",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.length = std::string(value); }},
    CommandLineOption{
        .name = "--segment",
        .shortName = "",
        .argument = "K",
        .help = "Start at segment K (default 1).",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.segment = std::string(value); }},
    CommandLineOption{
        .name = "--shuffle",
        .shortName = "",
        .argument = "",
        .help = "Shuffle a set's entries (乱序).",
        .apply = [](CommandLine& line, std::string_view) { line.course.shuffle = true; }},
    CommandLineOption{
        .name = "--seed",
        .shortName = "",
        .argument = "S",
        .help = "The shuffle's seed: the same seed, the same order.",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.seed = std::string(value); }},
    CommandLineOption{
        .name = "--target",
        .shortName = "",
        .argument = "ACCURACY[,SPEED]",
        .help = "Move on at ACCURACY ‰ and SPEED characters a\n"
                "                        minute (4.5: keystrokes a second); 0: always.",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.target = std::string(value); }},
    CommandLineOption{
        .name = "--attempt",
        .shortName = "",
        .argument = "N",
        .help = "This segment's attempt (carried to a new run).",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.attempt = std::string(value); }},
    CommandLineOption{
        .name = "--previous",
        .shortName = "",
        .argument = "LINE",
        .help = "How the last attempt ended (carried likewise).",
        .apply = [](CommandLine& line,
                    std::string_view value) { line.course.previous = std::string(value); }},
    CommandLineOption{.name = "--hint",
                      .shortName = "",
                      .argument = "TABLE",
                      .help = "Show the codes of code table TABLE (五笔86, 拼音, or one of your "
                              "own) beside the next character; F6 chooses another.",
                      .apply = [](CommandLine& line,
                                  std::string_view table) { line.hintTable = std::string(table); }},
    CommandLineOption{
        .name = "--ideal",
        .shortName = "",
        .argument = "TABLE",
        .help = "Print the text's cheapest split into the entries of code table "
                "TABLE, one a line, and its ideal code length (理想码长); no "
                "window opens.",
        .apply = [](CommandLine& line,
                    std::string_view table) { line.idealTable = std::string(table); }},
};

constexpr std::string_view kDescription =
    "Typing practice for Chinese text entry through an input method.\n";

constexpr std::string_view kArguments =
    "Arguments:\n"
    "  FILE          A plain text lesson (GBK or UTF-8) to practise instead of\n"
    "                文档.txt; - reads it from standard input.\n";

constexpr std::string_view kKeys =
    "Keys in the window:\n"
    "  F3      start the lesson afresh, every count at zero (重打)\n"
    "  F4      practise the text on the clipboard (载文)\n"
    "  Ctrl+O  open a text file; a text file dropped on the window opens too\n"
    "  F1      the about box\n"
    "  F2      the practice report (成绩); Alt+C copies its line, Alt+D drills\n"
    "          the wrong and slow characters in a new window\n"
    "  F5      the lesson window (课文): a graded set or a text, in segments\n"
    "  Ctrl+Right, Ctrl+Left  in a course, the next or the previous segment\n"
    "  F6      the code hint: 无提示, 五笔86, 拼音 and your own tables in turn\n"
    "A new text, or the same one again, opens in a new window in the old one's place.\n";

std::string helpText(std::string_view program) {
    std::string text = "Usage: " + std::string(program) + " [options] [FILE]\n";
    text += kDescription;
    text += "\nOptions:\n";
    for (const CommandLineOption& option : kOptions) {
        std::string left = "  ";
        if (!option.shortName.empty()) {
            left += std::string(option.shortName) + ", ";
        }
        left += option.name;
        if (!option.argument.empty()) {
            left += " " + std::string(option.argument);
        }
        constexpr std::size_t kHelpColumn = 24;
        left.resize(std::max(left.size() + 1, kHelpColumn), ' ');
        text += left + std::string(option.help) + "\n";
    }
    text += "\n";
    text += kArguments;
    text += "\n";
    text += kKeys;
    return text;
}

CommandLineAnswer usageError(std::string_view program, const std::string& problem) {
    return {.text = std::string(program) + ": " + problem + "\nTry '" + std::string(program) +
                    " --help' for more information.\n",
            .onStandardError = true,
            .exitStatus = kExitOnUsageError};
}

const CommandLineOption* optionNamed(std::string_view name) {
    const auto* found = std::ranges::find_if(kOptions, [name](const CommandLineOption& option) {
        return option.name == name || (!option.shortName.empty() && option.shortName == name);
    });
    return found == kOptions.end() ? nullptr : found;
}

} // namespace

std::variant<CommandLine, CommandLineAnswer>
parseCommandLine(std::span<const std::string> arguments, std::string_view program,
                 std::string_view version) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument.front() == '-';
        if (!isOption) {
            if (line.lessonFile) {
                return usageError(program, "Only one lesson file can be practised at a time.");
            }
            line.lessonFile = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = std::string_view(argument).substr(0, equals);
        const CommandLineOption* option = optionNamed(name);
        if (option == nullptr) {
            // "-help" is a long option given with one dash, not four letters.
            const bool oneDash = !name.starts_with("--");
            if (oneDash && optionNamed("-" + std::string(name)) != nullptr) {
                return usageError(program, "Unknown option '" + std::string(name) +
                                               "'. Did you mean '-" + std::string(name) + "'?");
            }
            return usageError(program, "Unknown option '" +
                                           std::string(name.substr(oneDash ? 1 : 2)) + "'.");
        }
        std::string_view value;
        if (option->argument.empty()) {
            if (equals != std::string::npos) {
                return usageError(program, "Option '" + std::string(name) + "' takes no argument.");
            }
        } else if (equals != std::string::npos) {
            value = std::string_view(argument).substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return usageError(program, "Option '" + std::string(name) + "' needs " +
                                           std::string(option->argument) + ".");
        }
        option->apply(line, value);
    }
    if (line.help) {
        return CommandLineAnswer{.text = helpText(program)};
    }
    if (line.version) {
        return CommandLineAnswer{.text = std::string(program) + " " + std::string(version) + "\n"};
    }
    return line;
}

} // namespace keyloom
