// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdlib>
#include <random>

namespace keyloom {
namespace {

// The argument as it was given: Qt's decoding of a name that is not valid
// UTF-8 cannot be encoded back to the same bytes.
std::filesystem::path localPath(const QString& name, int argc, const char* const argv[]) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    return {name.toStdWString()};
#else
    for (int i = argc - 1; i > 0; --i) {
        if (QString::fromLocal8Bit(argv[i]) == name) {
            return {std::string(argv[i])};
        }
    }
    return {QFile::encodeName(name).toStdString()};
#endif
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Typing practice for Chinese text entry through an input method.\n\n"
        "Keys in the window:\n"
        "  F3      start the lesson afresh, every count at zero (重打)\n"
        "  F4      practise the text on the clipboard (载文)\n"
        "  Ctrl+O  open a text file; a text file dropped on the window opens too\n"
        "  F1      the about box\n"
        "  F2      the practice report (成绩); Alt+C copies its line, Alt+D drills\n"
        "          the wrong and slow characters in a new window\n"
        "  F5      the lesson window (课文): a graded set or an article in segments\n"
        "  Ctrl+Right, Ctrl+Left  in a course, the next or the previous segment\n"
        "A new text, or the same one again, opens in a new window in the old one's place."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A plain text lesson (GBK or UTF-8) to practise instead of 文档.txt; "
                       "- reads it from standard input."),
        QStringLiteral("[FILE]"));

    const auto value = [&parser](const char* name, const char* valueName, const char* text) {
        QCommandLineOption option(QString::fromLatin1(name), QString::fromUtf8(text),
                                  QString::fromLatin1(valueName));
        parser.addOption(option);
        return option;
    };
    const QCommandLineOption set =
        value("set", "NAME",
              "Follow a course through the text of that name, as the lesson window (F5) lists "
              "it: a graded set such as 常用字前500, 文档, or a text of your own by its file "
              "name.");
    const QCommandLineOption length =
        value("length", "N",
              "Segments of N characters (default 20), whole entries each; 全文 "
              "for the whole text.");
    const QCommandLineOption segment = value("segment", "K", "Start at segment K (default 1).");
    const QCommandLineOption shuffle(QStringLiteral("shuffle"),
                                     QStringLiteral("Shuffle a set's entries (乱序)."));
    parser.addOption(shuffle);
    const QCommandLineOption seed =
        value("seed", "S", "The shuffle's seed: the same seed, the same order.");
    const QCommandLineOption target =
        value("target", "ACCURACY[,SPEED]",
              "Move on only when a segment reaches ACCURACY per mille and SPEED characters a "
              "minute (a SPEED with a decimal point: keystrokes a second); 0 or none: every "
              "finished segment moves on.");
    QCommandLineOption attempt(QStringLiteral("attempt"), QString(), QStringLiteral("N"));
    attempt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(attempt);
    QCommandLineOption previous(QStringLiteral("previous"), QString(), QStringLiteral("LINE"));
    previous.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(previous);

    const QStringList arguments = QCoreApplication::arguments();
    QString problem;
    std::optional<CourseOptions> course;
    if (!parser.parse(arguments)) {
        problem = parser.errorText();
    } else if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    } else if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    } else if (parser.positionalArguments().size() > 1) {
        problem = QStringLiteral("Only one lesson file can be practised at a time.");
    } else {
        const auto given =
            [&parser](const QCommandLineOption& option) -> std::optional<std::string> {
            if (!parser.isSet(option)) {
                return std::nullopt;
            }
            return parser.value(option).toStdString();
        };
        const CourseArguments courseArguments{.set = given(set),
                                              .length = given(length),
                                              .segment = given(segment),
                                              .shuffle = parser.isSet(shuffle),
                                              .seed = given(seed),
                                              .target = given(target),
                                              .attempt = given(attempt),
                                              .previous = given(previous)};
        try {
            course = parseCourseOptions(courseArguments, std::random_device()());
        } catch (const CourseError& error) {
            problem = QString::fromUtf8(error.what());
        }
        if (course && !parser.positionalArguments().isEmpty()) {
            problem =
                QStringLiteral("A course names its own text: give --set or a FILE, not both.");
        }
    }
    if (!problem.isEmpty()) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << problem << "\n"
                            << "Try '" << QCoreApplication::applicationName()
                            << " --help' for more information.\n";
        std::exit(kExitOnUsageError);
    }

    CommandLine line;
    line.course = course;
    if (!parser.positionalArguments().isEmpty()) {
        line.lessonFile = localPath(parser.positionalArguments().constFirst(), argc, argv);
    }
    return line;
}

} // namespace keyloom
