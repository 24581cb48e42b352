// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "cli/script_words.h"
#include "engine/operation_table.h"
#include "version/program_version.h"

namespace rpn {
namespace {

// The options that QApplication, QGuiApplication and the xcb platform take out of argv:
// with a value, and without one.
constexpr const char* kToolkitValueOptions[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "geometry",
    "qwindowtitle",
    "title",
    "qwindowicon",
    "icon",
    "session",
    "display",
    "name",
    "visual",
    "style",
    "stylesheet",
    "qmljsdebugger",
};
constexpr const char* kToolkitFlagOptions[] = {
    "reverse", "nograb", "dograb", "sync", "widgetcount", "testability",
};

// The words of a script, as the engine's table and the script's own list name them.
QString ScriptWords() {
    constexpr int kLineWidth = 79;
    QString words = "Operations:";
    int lineStart = 0;
    for (const rpn::OperationRow& row : rpn::OperationRows()) {
        const QString name = QString::fromLatin1(row.name);
        if (words.size() - lineStart + 1 + name.size() > kLineWidth) {
            words += QLatin1Char('\n');
            lineStart = words.size();
        }
        words += QLatin1Char(' ') + name;
    }
    words += '.';
    for (const rpn::cli::OwnWord& word : rpn::cli::OwnWords()) {
        words += QString("\n  %1  %2").arg(QString::fromLatin1(word.name), -4).arg(word.meaning);
    }
    return words;
}

// One parser for parsing and for the help text, so that the two never disagree.
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the version and exit."};
    // The script options: the program reads them itself before the toolkit starts, and they
    // reach this parser only together with --help or --version.
    QCommandLineOption expression{"e",
                                  "Run TOKENS and print X; several -e run in order on one "
                                  "stack.",
                                  "TOKENS"};
    QCommandLineOption stack{"stack", "Print T, Z, Y and X, one per line, instead of X."};
    QCommandLineOption exact{"exact",
                             "Print 21 significant digits with '.' instead of the "
                             "field's text."};
    QCommandLineOption fromSession{"from-session",
                                   "Start from the stack and memory of the "
                                   "session file (read only)."};

    Parser() {
        parser.setApplicationDescription(
            "Reverse Polish Notation calculator with an 80-bit four-level stack.\n"
            "The window system options of Qt (-platform, -display, -geometry, -style, ...)\n"
            "are accepted as well.\n\n"
            "With -e or '-' it runs without a window: tokens separated by blanks, numbers as\n"
            "the X field takes them (2,5 1e5 -3) and the words below, each as its key would\n"
            "in the window; a number after a number is pushed first, as Enter would.\n"
            "Exit code 1 after a problem, reported on stderr; 2 for a wrong option.\n"
            "Example: rpncalc -e '3.5 4.25 + 2 *' prints 15.5.\n" +
            ScriptWords());
        // The toolkit's options are single-dash words (-display :1), so every option is.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(expression);
        parser.addOption(stack);
        parser.addOption(exact);
        parser.addOption(fromSession);
        parser.addPositionalArgument("-", "Read tokens from standard input, line by line.", "[-]");
        for (const char* name : kToolkitValueOptions) {
            QCommandLineOption option(QString::fromLatin1(name));
            option.setValueName("value");
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
        for (const char* name : kToolkitFlagOptions) {
            QCommandLineOption option(QString::fromLatin1(name));
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
    }
};

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    Parser p;
    CommandLine result;
    if (!p.parser.parse(arguments)) {
        result.action = CommandLine::Action::Fail;
        result.error = p.parser.errorText();
        return result;
    }
    if (p.parser.isSet(p.help)) {
        result.action = CommandLine::Action::ShowHelp;
        return result;
    }
    if (p.parser.isSet(p.version)) {
        result.action = CommandLine::Action::ShowVersion;
        return result;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Fail;
        result.error =
            QString("Unexpected argument '%1'.").arg(p.parser.positionalArguments().first());
        return result;
    }
    result.platform = p.parser.value("platform");
    result.display = p.parser.value("display");
    result.geometry =
        p.parser.isSet("geometry") ? p.parser.value("geometry") : p.parser.value("qwindowgeometry");
    return result;
}

QString CommandLineHelp() {
    Parser p;
    return p.parser.helpText();
}

QString VersionText() {
    return QStringLiteral(
               "rpncalc %1\n"
               "Copyright 2026 rpncalc developers.\n"
               "License GPL-3.0-or-later: GNU GPL version 3 or later "
               "<https://gnu.org/licenses/gpl.html>.\n"
               "This is free software: you are free to change and redistribute it.\n"
               "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(QLatin1String(kProgramVersion));
}

}  // namespace rpn
