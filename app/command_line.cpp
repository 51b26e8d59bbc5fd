// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdlib>

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
        "A new text, or the same one again, opens in a new window in the old one's place."));
    const QCommandLineOption ideal(
        QStringLiteral("ideal"),
        QStringLiteral("Print the text's cheapest split into the entries of code table TABLE "
                       "(五笔86, 拼音 or one of your own), one a line, and its ideal code "
                       "length (理想码长); no window opens."),
        QStringLiteral("TABLE"));
    const QCommandLineOption hint(
        QStringLiteral("hint"),
        QStringLiteral("Show the codes of code table TABLE beside the next character "
                       "(F6 chooses another)."),
        QStringLiteral("TABLE"));
    parser.addOption(ideal);
    parser.addOption(hint);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A plain text lesson (GBK or UTF-8) to practise instead of 文档.txt; "
                       "- reads it from standard input."),
        QStringLiteral("[FILE]"));

    const QStringList arguments = QCoreApplication::arguments();
    QString problem;
    if (!parser.parse(arguments)) {
        problem = parser.errorText();
    } else if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    } else if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    } else if (parser.positionalArguments().size() > 1) {
        problem = QStringLiteral("Only one lesson file can be practised at a time.");
    }
    if (!problem.isEmpty()) {
        QTextStream(stderr) << QCoreApplication::applicationName() << ": " << problem << "\n"
                            << "Try '" << QCoreApplication::applicationName()
                            << " --help' for more information.\n";
        std::exit(kExitOnUsageError);
    }

    CommandLine line;
    if (!parser.positionalArguments().isEmpty()) {
        line.lessonFile = localPath(parser.positionalArguments().constFirst(), argc, argv);
    }
    if (parser.isSet(ideal)) {
        line.idealTable = parser.value(ideal).toStdString();
    }
    if (parser.isSet(hint)) {
        line.hintTable = parser.value(hint).toStdString();
    }
    return line;
}

} // namespace keyloom
