// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rpn {

// The running program's full path, as the bytes the system gives (no character set is
// assumed), or why it cannot be known.
struct ProgramPath {
    std::string path;
    // Empty when `path` holds the program's path; else the reason for the user.
    std::string problem;
};

ProgramPath RunningProgramPath();

// What a link at `link` names, read whole however long it is, or the reason it cannot be read.
ProgramPath ReadLinkTarget(const std::string& link);

}  // namespace rpn
