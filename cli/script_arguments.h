// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/script_output.h"

namespace rpn::cli {

// Where a script's tokens come from, in the order given: an -e argument, or standard input.
struct ScriptSource {
    enum class Kind { Argument, StandardInput };
    Kind kind = Kind::Argument;
    std::string text;
    // For an argument: which -e it is, from 1.
    int number = 0;
};

struct ScriptRequest {
    std::vector<ScriptSource> sources;
    bool printStack = false;
    ValueForm form = ValueForm::Display;
    bool fromSession = false;
};

// What the arguments ask for: no script (the window starts, and the window's own command line
// reads them), a script, or a usage error.
struct ScriptArguments {
    enum class Kind { NoScript, Script, UsageError };
    Kind kind = Kind::NoScript;
    ScriptRequest request;
    // For a usage error: the one line to print.
    std::string error;
};

// A script is asked for by -e TOKENS or by "-" (standard input); --stack, --exact and
// --from-session go with them only. --help and --version anywhere leave the arguments to the
// window's command line, which prints them.
ScriptArguments ParseScriptArguments(int argc, const char* const* argv);

}  // namespace rpn::cli
