// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

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

// One parser for parsing and for the help text, so that the two never disagree.
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the version and exit."};

    Parser() {
        parser.setApplicationDescription(
            "Reverse Polish Notation calculator with an 80-bit four-level stack.\n"
            "The window system options of Qt (-platform, -display, -geometry, -style, ...)\n"
            "are accepted as well.");
        // The toolkit's options are single-dash words (-display :1), so every option is.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
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
