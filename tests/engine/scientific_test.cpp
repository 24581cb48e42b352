// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/calculator.h"
#include "engine/extended_constants.h"
#include "tests/engine/calculator_rig.h"

namespace rpn {
namespace {

using testing::CalculatorRig;
using testing::Shown;
using testing::Snapshot;

constexpr Register kInf = std::numeric_limits<Register>::infinity();
constexpr bool kDegrees = true;
constexpr bool kRadians = false;
constexpr bool kExact = true;
constexpr bool kShown = false;

struct ResultCase {
    const char* name;
    Operation operation;
    bool degreesMode;
    const char* typed;
    Register x;
    // kExact: X must be x bit for bit (sign of zero included); kShown: to the displayed digits.
    bool exact;
};

TEST(ScientificFunctionsTest, ShowTheirResult) {
    const ResultCase cases[] = {
        {"sin 30", Operation::Sine, kDegrees, "30", 0.5L, kShown},
        {"sin 180 snaps", Operation::Sine, kDegrees, "180", 0, kExact},
        {"sin 360 snaps", Operation::Sine, kDegrees, "360", 0, kExact},
        {"sin -180 snaps to +0", Operation::Sine, kDegrees, "-180", 0, kExact},
        {"sin 1e19 rad", Operation::Sine, kRadians, "1e19", 0, kExact},
        {"sin 1e-12 rad snaps", Operation::Sine, kRadians, "1e-12", 0, kExact},
        {"sin 2e-11 rad", Operation::Sine, kRadians, "2e-11", 2e-11L, kShown},
        {"cos 90 is exactly 0", Operation::Cosine, kDegrees, "90", 0, kExact},
        {"cos 270 snaps", Operation::Cosine, kDegrees, "270", 0, kExact},
        {"cos 60", Operation::Cosine, kDegrees, "60", 0.5L, kShown},
        {"cos 90 rad", Operation::Cosine, kRadians, "90", std::cos(90.0L), kShown},
        {"tan 45", Operation::Tangent, kDegrees, "45", 1, kShown},
        {"tan 180 snaps", Operation::Tangent, kDegrees, "180", 0, kExact},
        {"tan 1 rad", Operation::Tangent, kRadians, "1", std::tan(1.0L), kShown},
        {"asin 1", Operation::ArcSine, kDegrees, "1", 90, kExact},
        {"asin 1 rad", Operation::ArcSine, kRadians, "1", kHalfPi, kExact},
        {"asin -1", Operation::ArcSine, kDegrees, "-1", -90, kExact},
        {"asin -1 rad", Operation::ArcSine, kRadians, "-1", -kHalfPi, kExact},
        {"asin 0", Operation::ArcSine, kDegrees, "0", 0, kExact},
        {"asin 0.5", Operation::ArcSine, kDegrees, "0.5", 30, kShown},
        {"asin -0.5", Operation::ArcSine, kDegrees, "-0.5", -30, kShown},
        {"asin 1e-12 rad does not snap", Operation::ArcSine, kRadians, "1e-12", 1e-12L, kShown},
        {"acos 0", Operation::ArcCosine, kDegrees, "0", 90, kExact},
        {"acos -0", Operation::ArcCosine, kDegrees, "-0", 90, kExact},
        {"acos 0 rad", Operation::ArcCosine, kRadians, "0", kHalfPi, kExact},
        {"acos -1", Operation::ArcCosine, kDegrees, "-1", 180, kExact},
        {"acos -1 rad", Operation::ArcCosine, kRadians, "-1", kPi, kExact},
        {"acos 1", Operation::ArcCosine, kDegrees, "1", 0, kExact},
        {"acos 0.5", Operation::ArcCosine, kDegrees, "0.5", 60, kShown},
        {"acos -0.5", Operation::ArcCosine, kDegrees, "-0.5", 120, kShown},
        {"acos -0.5 rad", Operation::ArcCosine, kRadians, "-0.5", 2 * kPi / 3, kShown},
        {"atan 1", Operation::ArcTangent, kDegrees, "1", 45, kShown},
        {"atan 1 rad", Operation::ArcTangent, kRadians, "1", kPi / 4, kShown},
        {"atan 1e30", Operation::ArcTangent, kDegrees, "1e30", 90, kShown},
        {"atan +inf", Operation::ArcTangent, kDegrees, "1e5200", 90, kShown},
        {"atan -inf rad", Operation::ArcTangent, kRadians, "-1e5200", -kHalfPi, kExact},
        {"log 1000", Operation::Log10, kDegrees, "1000", 3, kShown},
        {"log 0.5", Operation::Log10, kDegrees, "0.5", std::log10(0.5L), kShown},
        {"log +inf", Operation::Log10, kDegrees, "1e5200", kInf, kExact},
        {"ln 1", Operation::NaturalLog, kDegrees, "1", 0, kExact},
        {"ln 10", Operation::NaturalLog, kDegrees, "10", std::log(10.0L), kShown},
        {"ln +inf", Operation::NaturalLog, kDegrees, "1e5200", kInf, kExact},
        {"e^x 0", Operation::NaturalExp, kDegrees, "0", 1, kExact},
        {"e^x 1", Operation::NaturalExp, kDegrees, "1", std::exp(1.0L), kShown},
        {"e^x -20000 underflows", Operation::NaturalExp, kDegrees, "-20000", 0, kExact},
        {"10^x 2", Operation::TenToX, kDegrees, "2", 100, kShown},
        {"10^x 4931", Operation::TenToX, kDegrees, "4931", 1e4931L, kShown},
        {"10^x -4931", Operation::TenToX, kDegrees, "-4931", 1e-4931L, kShown},
        // The two products round to one unit in the last place below pi.
        {"deg>rad 180", Operation::DegreesToRadians, kDegrees, "180", std::nextafter(kPi, 0.0L),
         kExact},
        {"deg>rad 180 in radians", Operation::DegreesToRadians, kRadians, "180",
         std::nextafter(kPi, 0.0L), kExact},
        {"rad>deg pi", Operation::RadiansToDegrees, kRadians, "3.14159265358979323846", 180,
         kShown},
        {"rad>deg pi in degrees", Operation::RadiansToDegrees, kDegrees, "3.14159265358979323846",
         180, kShown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(c.typed, 5, 10, 20);
        StateOf(rig.calc).DegreesMode = c.degreesMode;
        EXPECT_EQ(rig.calc.Run(c.operation), kDone);

        const CalculatorState& s = StateOf(rig.calc);
        EXPECT_EQ(rig.window.text(Field::X), Shown(c.x));
        if (c.exact) {
            EXPECT_EQ(s.X, c.x);
            EXPECT_EQ(std::signbit(s.X), std::signbit(c.x));
        }
        EXPECT_EQ(s.CommittedX, s.X);
        EXPECT_EQ(s.Y, 5);
        EXPECT_EQ(s.Z, 10);
        EXPECT_EQ(s.T, 20);
        EXPECT_EQ(s.MemoryRegister, 42);
        EXPECT_EQ(s.DegreesMode, c.degreesMode);
        EXPECT_TRUE(s.StackLift);
        EXPECT_TRUE(rig.window.XAllSelected());
        EXPECT_EQ(rig.window.beeps, 0);
    }
}

TEST(ScientificFunctionsTest, TangentOf90DegreesIsLargeButFinite) {
    CalculatorRig rig;
    rig.Prepare("90", 5, 10, 20);
    EXPECT_EQ(rig.calc.Run(Operation::Tangent), kDone);

    EXPECT_TRUE(std::isfinite(StateOf(rig.calc).X));
    EXPECT_GT(std::fabs(StateOf(rig.calc).X), 1e18L);
    EXPECT_NE(rig.window.text(Field::X).find('E'), std::string::npos);
}

// A result that shows as 1 is exactly 1 for the next function.
TEST(ScientificFunctionsTest, ArcsineOfTheSineOf90IsExactly90) {
    CalculatorRig rig;
    rig.Prepare("90", 5, 10, 20);
    rig.calc.Run(Operation::Sine);
    EXPECT_EQ(rig.window.text(Field::X), "1");
    rig.calc.Run(Operation::ArcSine);
    EXPECT_EQ(StateOf(rig.calc).X, 90);
}

struct MathErrorCase {
    const char* name;
    Operation operation;
    bool degreesMode;
    const char* typed;
};

// A failed function reports "Math Error", keeps X as committed from its text with the text
// as typed, and leaves the entry open for correction.
TEST(ScientificFunctionsTest, FaultsReportMathErrorAndChangeNothingElse) {
    const MathErrorCase cases[] = {
        {"tan 1e19 rad (0 / 0)", Operation::Tangent, kRadians, "1e19"},
        {"sin +inf", Operation::Sine, kRadians, "1e5200"},
        {"sin +inf in degrees", Operation::Sine, kDegrees, "1e5200"},
        {"cos -inf", Operation::Cosine, kRadians, "-1e5200"},
        {"tan +inf", Operation::Tangent, kRadians, "1e5200"},
        {"sin of 1e4932 degrees overflows", Operation::Sine, kDegrees, "1e4932"},
        {"asin 2", Operation::ArcSine, kDegrees, "2"},
        {"asin -1.5", Operation::ArcSine, kRadians, "-1.5"},
        {"asin 1e3000 (square overflows)", Operation::ArcSine, kDegrees, "1e3000"},
        {"acos 1.5", Operation::ArcCosine, kDegrees, "1.5"},
        {"acos -2", Operation::ArcCosine, kRadians, "-2"},
        {"ln 0 (division by zero)", Operation::NaturalLog, kDegrees, "0"},
        {"ln -1 (invalid)", Operation::NaturalLog, kDegrees, "-1"},
        {"ln -inf", Operation::NaturalLog, kDegrees, "-1e5200"},
        {"log 0", Operation::Log10, kDegrees, "0"},
        {"log -1", Operation::Log10, kDegrees, "-1"},
        {"e^x 20000 (overflow)", Operation::NaturalExp, kDegrees, "20000"},
        {"e^x -inf", Operation::NaturalExp, kDegrees, "-1e5200"},
        {"e^x +inf", Operation::NaturalExp, kDegrees, "1e5200"},
        {"10^x 4932", Operation::TenToX, kDegrees, "4932"},
        {"10^x +inf", Operation::TenToX, kDegrees, "1e5200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(c.typed, 5, 10, 20);
        StateOf(rig.calc).DegreesMode = c.degreesMode;
        // The error clears StackLift even when the function ran on a shown result.
        StateOf(rig.calc).StackLift = true;
        Snapshot expected = rig.Take();
        expected.x = ParseEntry(c.typed).value;
        expected.stackLift = false;
        EXPECT_EQ(rig.calc.Run(c.operation), kMathError);

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.text(Field::X), c.typed);
        // The window beeps as it shows the report; the engine leaves the beep to it.
        EXPECT_EQ(rig.window.beeps, 0);
    }
}

TEST(ScientificFunctionsTest, AngleModeToggleLeavesXAndStackLift) {
    for (const bool stackLift : {false, true}) {
        SCOPED_TRACE(stackLift);
        CalculatorRig rig;
        rig.Prepare("90", 5, 10, 20);
        StateOf(rig.calc).StackLift = stackLift;
        Snapshot expected = rig.Take();

        EXPECT_EQ(rig.calc.Run(Operation::ToggleAngleMode), kDone);
        expected.degreesMode = false;
        EXPECT_EQ(rig.Take(), expected);
        EXPECT_STREQ(AngleModeCaption(rig.calc.state().DegreesMode), "Radians");
        EXPECT_EQ(rig.window.angleModeCaption, "Radians");
        EXPECT_EQ(rig.window.focusRequests, 1);
        EXPECT_TRUE(rig.window.XAllSelected());

        rig.calc.Run(Operation::ToggleAngleMode);
        expected.degreesMode = true;
        EXPECT_EQ(rig.Take(), expected);
        EXPECT_STREQ(AngleModeCaption(rig.calc.state().DegreesMode), "Degrees");
        EXPECT_EQ(rig.window.angleModeCaption, "Degrees");
        EXPECT_EQ(rig.window.beeps, 0);
    }
}

}  // namespace
}  // namespace rpn
