// SPDX-License-Identifier: GPL-3.0-or-later
// Scripts as a user writes them, and what the program prints and returns for each: every
// operation word, entries with ',' and exponents, the entries the X field rejects and each
// message a problem gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/register.h"
#include "tests/cli/script_run.h"

namespace rpn::testing {
namespace {

struct ScriptCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* input;
    const char* out;
    const char* err;
    int exitCode;
};

void PrintTo(const ScriptCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptTableTest : public ::testing::TestWithParam<ScriptCase> {
  protected:
    void SetUp() override { InitialiseRegisterArithmetic(); }
};

TEST_P(ScriptTableTest, PrintsAndEndsAsTheRowSays) {
    const ScriptCase& c = GetParam();
    const ScriptOutput output = RunScriptArguments(c.arguments, c.input);
    EXPECT_EQ(output.out, c.out);
    EXPECT_EQ(output.err, c.err);
    EXPECT_EQ(output.exitCode, c.exitCode);
}

std::vector<std::string> E(const char* tokens) {
    return {"-e", tokens};
}

const std::string kLongToken(70000, '1');

INSTANTIATE_TEST_SUITE_P(
    Operations, ScriptTableTest,
    ::testing::Values(
        ScriptCase{"TheIssuesExample", E("3.5 4.25 + 2 *"), "", "15.5\n", "", 0},
        ScriptCase{"NumberAfterNumberIsPushed", E("3 4 +"), "", "7\n", "", 0},
        ScriptCase{"EnterThenNumberPushesOnce", E("3 enter 4 +"), "", "7\n", "", 0},
        ScriptCase{"Subtract", E("10 3 -"), "", "7\n", "", 0},
        ScriptCase{"DivideShowsTheFieldsDigits", E("1 3 /"), "", ".333333333333\n", "", 0},
        ScriptCase{"Power", E("2 10 ^"), "", "1024\n", "", 0},
        ScriptCase{"Reciprocal", E("4 recip"), "", ".25\n", "", 0},
        ScriptCase{"Square", E("3 sq"), "", "9\n", "", 0},
        ScriptCase{"SquareRoot", E("2 sqrt"), "", "1.41421356237\n", "", 0},
        // The next operation reads the shown digits, as in the window.
        ScriptCase{"SquareOfAShownRoot", E("2 sqrt sq"), "", "1.99999999999\n", "", 0},
        ScriptCase{"ChangeSign", E("5 chs"), "", "-5\n", "", 0},
        // After chs the next digit replaces X instead of lifting it, as in the window.
        ScriptCase{"NumberAfterChangeSignReplacesX", E("1 2 chs 3 +"), "", "4\n", "", 0},
        ScriptCase{"ClearX", E("5 cx"), "", "0\n", "", 0},
        ScriptCase{"ClearAllKeepsMemory",
                   {"--stack", "-e", "9 sto 1 2 3 ca rcl"},
                   "",
                   "T 0\nZ 0\nY 0\nX 9\n",
                   "",
                   0},
        ScriptCase{
            "RollDown", {"--stack", "-e", "1 2 3 4 rolldown"}, "", "T 4\nZ 1\nY 2\nX 3\n", "", 0},
        ScriptCase{
            "RollUp", {"--stack", "-e", "1 2 3 4 rollup"}, "", "T 2\nZ 3\nY 4\nX 1\n", "", 0},
        ScriptCase{
            "Exchange", {"--stack", "-e", "1 2 3 4 x<>y"}, "", "T 1\nZ 2\nY 4\nX 3\n", "", 0},
        ScriptCase{
            "SwapIsExchange", {"--stack", "-e", "1 2 swap"}, "", "T 0\nZ 0\nY 2\nX 1\n", "", 0},
        ScriptCase{"StoreAndRecall", E("7 sto 1 + rcl +"), "", "15\n", "", 0},
        ScriptCase{"Sine", E("30 sin"), "", ".5\n", "", 0},
        ScriptCase{"Cosine", E("60 cos"), "", ".5\n", "", 0},
        ScriptCase{"Tangent", E("45 tan"), "", "1\n", "", 0},
        ScriptCase{"ArcSine", E(".5 asin"), "", "30\n", "", 0},
        ScriptCase{"ArcCosine", E("-.5 acos"), "", "120\n", "", 0},
        ScriptCase{"ArcTangent", E("1 atan"), "", "45\n", "", 0},
        ScriptCase{"CommonLog", E("1000 log"), "", "3\n", "", 0},
        ScriptCase{"NaturalLog", E("1 ln"), "", "0\n", "", 0},
        ScriptCase{"TenToX", E("2 10^x"), "", "100\n", "", 0},
        ScriptCase{"EToX", E("1 e^x"), "", "2.71828182846\n", "", 0},
        ScriptCase{"DegreesToRadians", E("180 d>r"), "", "3.14159265359\n", "", 0},
        ScriptCase{"RadiansToDegrees", E("3.14159265359 r>d"), "", "180\n", "", 0},
        ScriptCase{"Radians", E("rad 1 sin"), "", ".841470984808\n", "", 0},
        ScriptCase{"DegreesAgain", E("rad deg 30 sin"), "", ".5\n", "", 0},
        ScriptCase{"TheToggle", E("deg/rad 90 cos"), "", "-.44807361612\n", "", 0},
        // The mode words read nothing: the entry before them is still pushed by the next.
        ScriptCase{"ModeBetweenNumbers", E("3 rad 4 +"), "", "7\n", "", 0},
        ScriptCase{"PrintAsItGoes", E("3 p 4 + p"), "", "3\n7\n7\n", "", 0},
        ScriptCase{"SeveralArgumentsOneStack", {"-e", "3", "-e", "4 +"}, "", "7\n", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Entries, ScriptTableTest,
    ::testing::Values(
        ScriptCase{"CommaIsAPoint", E("2,5 2 *"), "", "5\n", "", 0},
        ScriptCase{"Exponent", E("1e5 2 /"), "", "50000\n", "", 0},
        ScriptCase{"ExponentShown", E("1.5E-3 1 *"), "", ".0015\n", "", 0},
        ScriptCase{"NegativeEntry", E("-3 2 *"), "", "-6\n", "", 0},
        ScriptCase{"AnEntryPrintsItsValue", E("2,50"), "", "2.5\n", "", 0},
        ScriptCase{"ExponentOnlyIsZero", E("e5"), "", "0\n", "", 0},
        ScriptCase{"LargeShownInExponentForm", E("123456789012 1 *"), "", "1.23457E+0011\n", "", 0},
        ScriptCase{"BeyondTheScaleIsInfinite", E("1e5200"), "", "+Inf\n", "", 0},
        ScriptCase{
            "ExactDigits", {"--exact", "-e", "1 3 /"}, "", "0.333333333333333333342\n", "", 0},
        ScriptCase{"ExactStack",
                   {"--exact", "--stack", "-e", "2,5 0,1"},
                   "",
                   "T 0\nZ 0\nY 2.5\nX 0.100000000000000000001\n",
                   "",
                   0},
        ScriptCase{"NoTokens", E(""), "", "0\n", "", 0},
        ScriptCase{"StandardInput", {"-"}, "1\n2 +\n\t3 *\n", "9\n", "", 0},
        ScriptCase{"ArgumentsAroundStandardInput", {"-e", "1", "-", "-e", "+"}, "2", "3\n", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Problems, ScriptTableTest,
    ::testing::Values(
        ScriptCase{"NotANumber", E("1 12x +"), "", "",
                   "rpncalc: -e 1, column 3, '12x': not a number: the X field cannot read it "
                   "from character 3\n",
                   1},
        ScriptCase{"PointWithoutDigits", E("5."), "", "",
                   "rpncalc: -e 1, column 1, '5.': not a number: the X field cannot read it "
                   "from character 3\n",
                   1},
        ScriptCase{"CommaAndPoint", E("1,000.5"), "", "",
                   "rpncalc: -e 1, column 1, '1,000.5': not a number: the X field cannot read "
                   "it from character 6\n",
                   1},
        ScriptCase{"UnknownWord", E("1 2 plus"), "", "",
                   "rpncalc: -e 1, column 5, 'plus': unknown operation\n", 1},
        ScriptCase{"EntryBeyondTheRange", E("1e4933"), "", "",
                   "rpncalc: -e 1, column 1, '1e4933': Floating point overflow.\n", 1},
        ScriptCase{"DivisionByZero", E("1 0 /"), "", "",
                   "rpncalc: -e 1, column 5, '/': refused: division by zero\n", 1},
        ScriptCase{"ReciprocalOfZero", E("0 recip"), "", "",
                   "rpncalc: -e 1, column 3, 'recip': refused: the reciprocal of zero\n", 1},
        ScriptCase{"RootOfZero", E("0 sqrt"), "", "",
                   "rpncalc: -e 1, column 3, 'sqrt': refused: the square root needs X above "
                   "zero\n",
                   1},
        ScriptCase{"PowerOfANegativeBase", E("-8 3 ^"), "", "",
                   "rpncalc: -e 1, column 6, '^': refused: Y^X needs Y above zero\n", 1},
        ScriptCase{"MathError", E("0 ln"), "", "", "rpncalc: -e 1, column 3, 'ln': Math Error\n",
                   1},
        ScriptCase{"MathErrorOfAnInverse", E("2 asin"), "", "",
                   "rpncalc: -e 1, column 3, 'asin': Math Error\n", 1},
        ScriptCase{"Overflow", E("1e4000 sq"), "", "",
                   "rpncalc: -e 1, column 8, 'sq': Floating point overflow.\n", 1},
        ScriptCase{"InvalidOperation", E("1e5200 0 *"), "", "",
                   "rpncalc: -e 1, column 10, '*': Invalid floating point operation.\n", 1},
        ScriptCase{"ShownInfinity", E("1e5200 enter +"), "", "",
                   "rpncalc: -e 1, column 14, '+': X shows +Inf, which no key reads: X is now "
                   "0\n",
                   1},
        ScriptCase{"LiftOfAShownInfinity", E("1e5200 sq 5"), "", "",
                   "rpncalc: -e 1, column 11, '5': X showed +Inf, which no key reads: it became "
                   "0 instead of moving to Y\n",
                   1},
        ScriptCase{"TokenBeyondTheLimit",
                   {"-e", "1 " + kLongToken},
                   "",
                   "",
                   "rpncalc: -e 1, column 3, '1111111111111111111111111111111111111111...': "
                   "longer than the 65536 characters the X field takes\n",
                   1},
        ScriptCase{"ControlBytesShownEscaped", E("\x01x"), "", "",
                   "rpncalc: -e 1, column 1, '\\x01x': unknown operation\n", 1},
        ScriptCase{"LaterArgumentsDoNotRun",
                   {"-e", "1 0 / p", "-e", "p"},
                   "",
                   "",
                   "rpncalc: -e 1, column 5, '/': refused: division by zero\n",
                   1},
        ScriptCase{"SecondArgumentNamed",
                   {"-e", "1", "-e", "\n 0 /"},
                   "",
                   "",
                   "rpncalc: -e 2, line 2, column 4, '/': refused: division by zero\n",
                   1},
        // Standard input goes on: 1 0 / leaves X 0 as a finished value, lifted by the 2.
        ScriptCase{"StandardInputGoesOn",
                   {"--stack", "-"},
                   "1 0 /\n2 +\n",
                   "T 0\nZ 0\nY 1\nX 2\n",
                   "rpncalc: line 1, column 5, '/': refused: division by zero\n",
                   1},
        ScriptCase{"UnreadableEntryIsReportedOnce",
                   {"-"},
                   "12x +\n5 +\n",
                   "5\n",
                   "rpncalc: line 1, column 1, '12x': not a number: the X field cannot read it "
                   "from character 3\n",
                   1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rpn::testing
