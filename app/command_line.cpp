#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdlib>

namespace keyloom {
namespace {

std::filesystem::path localPath(const QString& name) {
#ifdef _WIN32
    return {name.toStdWString()};
#else
    return {QFile::encodeName(name).toStdString()};
#endif
}

} // namespace

CommandLine parseCommandLine() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Typing practice for Chinese text entry through an input method."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A plain text lesson (GBK or UTF-8) to practise instead of 文档.txt."),
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
        line.lessonFile = localPath(parser.positionalArguments().constFirst());
    }
    return line;
}

} // namespace keyloom
