// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rpn::cli {
namespace {

struct ArgumentsCase {
    const char* name;
    std::vector<const char*> arguments;
    ScriptArguments::Kind kind;
    // The sources in order: "-e TEXT" or "-".
    std::vector<std::string> sources;
    const char* error;
};

void PrintTo(const ArgumentsCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ScriptArgumentsTest, AsksForWhatTheRowSays) {
    const ArgumentsCase& c = GetParam();
    std::vector<const char*> argv = {"rpncalc"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const ScriptArguments parsed = ParseScriptArguments(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(parsed.kind, c.kind);
    std::vector<std::string> sources;
    for (const ScriptSource& source : parsed.request.sources) {
        sources.push_back(source.kind == ScriptSource::Kind::StandardInput
                              ? "-"
                              : "-e " + std::to_string(source.number) + " " + source.text);
    }
    if (c.kind == ScriptArguments::Kind::Script) {
        EXPECT_EQ(sources, c.sources);
    }
    EXPECT_EQ(parsed.error, c.error);
}

using enum ScriptArguments::Kind;

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ScriptArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"NoArguments", {}, NoScript, {}, ""},
        ArgumentsCase{"ToolkitOptionsAreTheWindows", {"-platform", "offscreen"}, NoScript, {}, ""},
        ArgumentsCase{"OneExpression", {"-e", "1 2 +"}, Script, {"-e 1 1 2 +"}, ""},
        ArgumentsCase{"ExpressionsAndInputInOrder",
                      {"-e", "1", "-", "--stack", "-e", "+"},
                      Script,
                      {"-e 1 1", "-", "-e 2 +"},
                      ""},
        // An -e takes the next argument whatever it looks like.
        ArgumentsCase{"ValueThatLooksLikeAnOption", {"-e", "--help"}, Script, {"-e 1 --help"}, ""},
        ArgumentsCase{"HelpGoesToTheWindowsCommandLine", {"-e", "1", "--help"}, NoScript, {}, ""},
        ArgumentsCase{"VersionToo", {"-", "-v"}, NoScript, {}, ""},
        ArgumentsCase{"MissingValue", {"-e"}, UsageError, {}, "Missing value after '-e'."},
        ArgumentsCase{"InputTwice",
                      {"-", "-"},
                      UsageError,
                      {},
                      "Standard input ('-') can be read only once."},
        ArgumentsCase{"ScriptOptionAlone",
                      {"--exact"},
                      UsageError,
                      {},
                      "--stack, --exact and --from-session need -e or '-'."},
        ArgumentsCase{"OtherOptionWithAScript",
                      {"-e", "1", "-platform", "offscreen"},
                      UsageError,
                      {},
                      "'-platform' does not go with -e or '-'."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptArguments, OptionsSetTheRequest) {
    const char* argv[] = {"rpncalc", "--exact", "--stack", "--from-session", "-e", "1"};
    const ScriptArguments parsed = ParseScriptArguments(6, argv);
    EXPECT_TRUE(parsed.request.printStack);
    EXPECT_TRUE(parsed.request.fromSession);
    EXPECT_EQ(parsed.request.form, ValueForm::Exact);
}

}  // namespace
}  // namespace rpn::cli
