// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <optional>

#include "cli/script_arguments.h"
#include "entry/entry_text_limit.h"

namespace rpn::cli {

inline constexpr int kScriptFailed = 1;
inline constexpr int kScriptUsageError = 2;

// The longest token taken: as long as the X field's text may grow.
inline constexpr std::size_t kTokenLimit = kEntryTextLimit;

// Runs `request` on a calculator of its own: the tokens of each source in turn, reading
// `input` for standard input, X (or the stack) printed to `out` at the end and for each "p",
// one line for each problem to `err`. An -e whose token has a problem ends the run there
// with nothing more printed; standard input goes on after it. Returns the exit code: 0, or
// kScriptFailed after any problem.
int RunScript(const ScriptRequest& request, int input, std::FILE* out, std::FILE* err);

// Runs the script that the arguments ask for, before any toolkit is touched, and returns its
// exit code; nullopt when they ask for no script.
std::optional<int> RunScriptCommandLine(int argc, const char* const* argv);

}  // namespace rpn::cli
