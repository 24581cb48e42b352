// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace rpn {

// What the command line asks for. The calculator has no options of its own beyond --help and
// --version; the toolkit's own options (-platform, -display, -geometry, -style, ...) are
// accepted here and left in argv for the application object to apply.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    // For Fail: the one-line error.
    QString error;
    // The -platform and -display options' values, empty when not given.
    QString platform;
    QString display;
    // The -geometry (or -qwindowgeometry) option's value, empty when not given.
    QString geometry;
};

CommandLine ParseCommandLine(const QStringList& arguments);

// The text that --help prints, and the one that --version prints.
QString CommandLineHelp();
QString VersionText();

}  // namespace rpn
