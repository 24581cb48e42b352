// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <optional>
#include <vector>

#include "desktop/rules/move_retries.h"
#include "desktop/rules/move_settling.h"
#include "desktop/rules/restore_watch.h"
#include "desktop/rules/size_hints.h"
#include "tests/desktop/screen_point_printer.h"

namespace {

using rpn::desktop::MoveRetries;
using rpn::desktop::MoveSettling;
using rpn::desktop::RestoreWatch;
using rpn::desktop::ScreenPoint;
using rpn::desktop::SizeHints;
using std::chrono::milliseconds;

constexpr std::optional<ScreenPoint> kNowhere;  // out of the normal state
constexpr ScreenPoint kHere{100, 80};
constexpr ScreenPoint kCorner{0, 0};

// One thing seen by the settle rule, at a time after the start: a move to `place`, or a
// judgement with the frame at `place` that answers `settled`.
struct SettleStep {
    enum { Move, Judge } kind;
    int at;
    std::optional<ScreenPoint> place;
    std::optional<ScreenPoint> settled = std::nullopt;
};

struct SettleCase {
    const char* name;
    std::vector<SettleStep> steps;
};

void PrintTo(const SettleCase& c, std::ostream* out) {
    *out << c.name;
}

class MoveSettlingTest : public testing::TestWithParam<SettleCase> {};

TEST_P(MoveSettlingTest, TakesAPlaceOnlyOnceTheFrameStoodThereLongEnough) {
    const auto start = MoveSettling::Moment{} + std::chrono::hours(1);
    MoveSettling settling;
    for (const SettleStep& step : GetParam().steps) {
        const auto when = start + milliseconds(step.at);
        if (step.kind == SettleStep::Move) {
            settling.Moved(step.place, when);
        } else {
            EXPECT_EQ(settling.Judge(step.place, when), step.settled) << "at " << step.at;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveSettlingTest,
    testing::Values(
        SettleCase{"StoodThere",
                   {{SettleStep::Move, 0, kHere}, {SettleStep::Judge, 600, kHere, kHere}}},
        SettleCase{"MovedOnBeforeTheJudgement",
                   {{SettleStep::Move, 0, kHere}, {SettleStep::Judge, 600, ScreenPoint{5, 5}}}},
        // A manager's first step into fullscreen: to the corner, then out of the normal state.
        SettleCase{"BlownUpAfterReachingTheCorner",
                   {{SettleStep::Move, 0, kCorner}, {SettleStep::Judge, 600, kNowhere}}},
        SettleCase{"LeftTheNormalStateWhileWaiting",
                   {{SettleStep::Move, 0, kHere},
                    {SettleStep::Move, 300, kNowhere},
                    {SettleStep::Judge, 600, kHere}}},
        // Each move starts the wait again: judged early, nothing is decided yet.
        SettleCase{"AnotherMoveStartsTheWaitAgain",
                   {{SettleStep::Move, 0, kCorner},
                    {SettleStep::Move, 400, kHere},
                    {SettleStep::Judge, 600, kHere},
                    {SettleStep::Judge, 999, kHere},
                    {SettleStep::Judge, 1000, kHere, kHere}}},
        SettleCase{"TimerRanOutEarly",
                   {{SettleStep::Move, 0, kHere},
                    {SettleStep::Judge, 590, kHere},
                    {SettleStep::Judge, 601, kHere, kHere}}},
        // A judgement ends the wait: the same place is not taken twice, nor after it moved.
        SettleCase{"JudgedOnce",
                   {{SettleStep::Move, 0, kHere},
                    {SettleStep::Judge, 700, ScreenPoint{1, 1}},
                    {SettleStep::Judge, 800, kHere}}},
        SettleCase{"NothingMoved", {{SettleStep::Judge, 5000, kHere}}}),
    [](const testing::TestParamInfo<SettleCase>& info) { return info.param.name; });

TEST(MoveSettling, DueOnlyWhileAPlaceWaits) {
    const auto start = MoveSettling::Moment{} + std::chrono::hours(1);
    MoveSettling settling;
    EXPECT_EQ(settling.Due(), std::nullopt);
    settling.Moved(kHere, start);
    EXPECT_EQ(settling.Due(), start + MoveSettling::kSettleTime);
    settling.Cancel();
    EXPECT_EQ(settling.Due(), std::nullopt);
    EXPECT_EQ(settling.Judge(kHere, start + std::chrono::seconds(5)), std::nullopt);
}

// One regular check of a frame put back from a maximised state: whether a move is still
// under way, where the frame stands (nowhere: still leaving the state), and the answer.
struct RestoreCheck {
    bool busy;
    std::optional<ScreenPoint> standing;
    RestoreWatch::Step step;
};

struct RestoreCase {
    const char* name;
    std::vector<RestoreCheck> checks;
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr RestoreWatch::Step kWait = RestoreWatch::Step::Wait;
constexpr RestoreWatch::Step kMoveAgain = RestoreWatch::Step::MoveAgain;
constexpr RestoreWatch::Step kStop = RestoreWatch::Step::Stop;

class RestoreWatchTest : public testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreWatchTest, CountsTheFrameBackAfterFourChecksInARow) {
    RestoreWatch watch;
    watch.Start();
    int i = 0;
    for (const RestoreCheck& check : GetParam().checks) {
        EXPECT_EQ(watch.Check(check.busy, check.standing, kHere), check.step) << "check " << i;
        ++i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RestoreWatchTest,
    testing::Values(RestoreCase{"BackAtOnce",
                                {{false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kStop}}},
                    // The manager gave the border back late: the frame slipped, and is asked back.
                    RestoreCase{"SlippedAfterArriving",
                                {{false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, ScreenPoint{100, 60}, kMoveAgain},
                                 {true, kNowhere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kStop}}},
                    RestoreCase{"StillLeavingTheStateStartsTheCountAgain",
                                {{false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kNowhere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kStop}}},
                    // A move under way neither counts for the place nor against it.
                    RestoreCase{"BusyChecksDoNotBreakTheRun",
                                {{false, kHere, kWait},
                                 {false, kHere, kWait},
                                 {true, kNowhere, kWait},
                                 {false, kHere, kWait},
                                 {false, kHere, kStop}}},
                    RestoreCase{"ElsewhereIsAskedBack",
                                {{false, kCorner, kMoveAgain}, {false, kCorner, kMoveAgain}}}),
    [](const testing::TestParamInfo<RestoreCase>& info) { return info.param.name; });

TEST(RestoreWatch, LeavesAStubbornManagerToItsOwnWay) {
    RestoreWatch watch;
    watch.Start();
    for (int i = 0; i < RestoreWatch::kMaxChecks; ++i) {
        ASSERT_EQ(watch.Check(false, kCorner, kHere), kMoveAgain) << "check " << i;
    }
    EXPECT_EQ(watch.Check(false, kCorner, kHere), kStop);
    // Put back once more, it is followed afresh.
    watch.Start();
    EXPECT_EQ(watch.Check(false, kCorner, kHere), kMoveAgain);
}

TEST(MoveRetries, AsksAgainOffByTheMissThenGivesUp) {
    struct Miss {
        ScreenPoint seen;
        MoveRetries::Next::Step step;
        ScreenPoint request;
    };
    constexpr ScreenPoint kAsked{200, 150};
    // A manager that puts the client area at the corner asked for: the frame lands a border
    // and a title bar up and left of it, the second request makes up for that, and a manager
    // that never gets there is given up on after the third.
    constexpr std::array<Miss, 3> kMisses{{
        {{204, 174}, MoveRetries::Next::Step::AskAgain, {196, 126}},
        {{201, 151}, MoveRetries::Next::Step::AskAgain, {195, 125}},
        {{199, 149}, MoveRetries::Next::Step::GiveUp, {195, 125}},
    }};
    MoveRetries retries;
    EXPECT_EQ(retries.Start(kAsked), kAsked);
    for (const Miss& miss : kMisses) {
        const MoveRetries::Next next = retries.Missed(miss.seen, kAsked);
        EXPECT_EQ(next.step, miss.step);
        EXPECT_EQ(next.request, miss.request);
    }
    // A new place starts the count again.
    EXPECT_EQ(retries.Start({10, 10}), (ScreenPoint{10, 10}));
    EXPECT_EQ(retries.Missed({20, 20}, {10, 10}).step, MoveRetries::Next::Step::AskAgain);
}

TEST(MoveRetries, CorrectionStaysInRange) {
    MoveRetries retries;
    retries.Start({INT_MAX - 5, INT_MIN + 5});
    const MoveRetries::Next next = retries.Missed({-32768, 32767}, {INT_MAX - 5, INT_MIN + 5});
    EXPECT_EQ(next.request, (ScreenPoint{INT_MAX, INT_MIN}));
}

// Normal size hints: flags, then minimum size at 5 and 6, maximum at 7 and 8.
SizeHints Hints(uint32_t flags, uint32_t minWidth, uint32_t minHeight, uint32_t maxWidth,
                uint32_t maxHeight) {
    SizeHints hints{};
    hints[0] = flags;
    hints[5] = minWidth;
    hints[6] = minHeight;
    hints[7] = maxWidth;
    hints[8] = maxHeight;
    hints[9] = 2;  // the increment itself is left as it is
    hints[10] = 2;
    return hints;
}

TEST(SizeHints, DropsTheResizeIncrementOfAFixedSizeOnly) {
    constexpr uint32_t kMin = 1u << 4;
    constexpr uint32_t kMax = 1u << 5;
    constexpr uint32_t kIncrement = 1u << 6;
    constexpr uint32_t kPosition = 1u << 2;
    struct Case {
        const char* what;
        SizeHints hints;
        std::optional<uint32_t> flags;  // nothing: the hints stay as they are
    };
    const std::array<Case, 6> cases{{
        {"fixed, with increment", Hints(kMin | kMax | kIncrement | kPosition, 300, 200, 300, 200),
         kMin | kMax | kPosition},
        {"fixed, no increment", Hints(kMin | kMax | kPosition, 300, 200, 300, 200), std::nullopt},
        {"wider maximum", Hints(kMin | kMax | kIncrement, 300, 200, 301, 200), std::nullopt},
        {"taller maximum", Hints(kMin | kMax | kIncrement, 300, 200, 300, 201), std::nullopt},
        {"no maximum", Hints(kMin | kIncrement, 300, 200, 300, 200), std::nullopt},
        {"no minimum", Hints(kMax | kIncrement, 300, 200, 300, 200), std::nullopt},
    }};
    for (const Case& c : cases) {
        const auto without = rpn::desktop::WithoutResizeIncrement(c.hints);
        ASSERT_EQ(without.has_value(), c.flags.has_value()) << c.what;
        if (without) {
            SizeHints expected = c.hints;
            expected[0] = *c.flags;
            EXPECT_EQ(*without, expected) << c.what;
        }
    }
}

}  // namespace
