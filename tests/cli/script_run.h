// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/run_script.h"

namespace rpn::testing {

// What a script printed and how it ended.
struct ScriptOutput {
    std::string out;
    std::string err;
    int exitCode = -1;
};

inline std::string ReadAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
    }
    return text;
}

// Runs the program's command line `arguments` (without the program's name) in this process,
// with `input` as its standard input; the arguments must ask for a script.
inline ScriptOutput RunScriptArguments(const std::vector<std::string>& arguments,
                                       const std::string& input = "") {
    std::vector<const char*> argv = {"rpncalc"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    ScriptOutput output;
    const cli::ScriptArguments parsed =
        cli::ParseScriptArguments(static_cast<int>(argv.size()), argv.data());
    if (parsed.kind != cli::ScriptArguments::Kind::Script) {
        return output;
    }
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    ::lseek(fileno(in), 0, SEEK_SET);
    output.exitCode = cli::RunScript(parsed.request, fileno(in), out, err);
    output.out = ReadAll(out);
    output.err = ReadAll(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return output;
}

}  // namespace rpn::testing
