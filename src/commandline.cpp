// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

namespace sorvanto {

namespace {

constexpr int Success = 0;
constexpr int UsageError = 2;

const char Usage[] =
    "Usage: sorvanto [OPTION]\n"
    "Reminds you, once, after the minutes you choose, of a text you typed: by default, to get up\n"
    "from your chair. Its window is in Portuguese.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n";

}  // namespace

std::optional<int> handleCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // Qt's own options (-platform, -style...) are not the program's: each is one unknown option.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, version});

    QString error;
    if (!parser.parse(arguments))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "sorvanto: %s\n%s", qPrintable(error), Usage);
        return UsageError;
    }
    if (parser.isSet(help)) {
        std::fputs(Usage, stdout);
        return Success;
    }
    if (parser.isSet(version)) {
        std::puts("sorvanto " SORVANTO_VERSION);
        return Success;
    }
    return std::nullopt;
}

}  // namespace sorvanto
