// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_arguments.h"

#include <string_view>

namespace rpn::cli {

namespace {

bool AsksForHelpOrVersion(std::string_view argument) {
    return argument == "-h" || argument == "--help" || argument == "-help" || argument == "-v" ||
           argument == "--version" || argument == "-version";
}

ScriptArguments UsageError(std::string error) {
    ScriptArguments result;
    result.kind = ScriptArguments::Kind::UsageError;
    result.error = std::move(error);
    return result;
}

}  // namespace

ScriptArguments ParseScriptArguments(int argc, const char* const* argv) {
    ScriptArguments result;
    ScriptRequest& request = result.request;
    bool scriptOption = false;
    std::string stray;
    int expressions = 0;
    bool standardInput = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-e") {
            if (i + 1 == argc) {
                return UsageError("Missing value after '-e'.");
            }
            request.sources.push_back(
                {ScriptSource::Kind::Argument, std::string(argv[++i]), ++expressions});
        } else if (argument == "-") {
            if (standardInput) {
                return UsageError("Standard input ('-') can be read only once.");
            }
            standardInput = true;
            request.sources.push_back({ScriptSource::Kind::StandardInput, {}, 0});
        } else if (argument == "--stack") {
            request.printStack = scriptOption = true;
        } else if (argument == "--exact") {
            request.form = ValueForm::Exact;
            scriptOption = true;
        } else if (argument == "--from-session") {
            request.fromSession = scriptOption = true;
        } else if (AsksForHelpOrVersion(argument)) {
            return {};
        } else if (stray.empty()) {
            stray = argument;
        }
    }
    if (request.sources.empty()) {
        if (scriptOption) {
            return UsageError("--stack, --exact and --from-session need -e or '-'.");
        }
        return {};
    }
    if (!stray.empty()) {
        return UsageError("'" + stray + "' does not go with -e or '-'.");
    }
    result.kind = ScriptArguments::Kind::Script;
    return result;
}

}  // namespace rpn::cli
