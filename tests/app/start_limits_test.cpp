// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_limits.h"

#include <gtest/gtest.h>

#include <ostream>

namespace rpn {
namespace {

constexpr rlim_t kKiB = 1024;

struct LimitCase {
    const char* name;
    ResourceLimit openFiles;
    ResourceLimit stack;
    rlim_t raiseOpenFilesTo;
    // The line that stops the start; empty when it goes on.
    const char* problem;
};

void PrintTo(const LimitCase& c, std::ostream* out) {
    *out << c.name;
}

class StartLimitsTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(StartLimitsTest, StopsOnlyALimitTooLowToRunUnder) {
    const LimitCase& c = GetParam();
    const StartLimitVerdict verdict = JudgeStartLimits(c.openFiles, c.stack);
    EXPECT_EQ(verdict.problem, c.problem);
    EXPECT_EQ(verdict.raiseOpenFilesTo, c.raiseOpenFilesTo);
}

constexpr ResourceLimit kUsualFiles{1024, 1048576};
constexpr ResourceLimit kUsualStack{8192 * kKiB, RLIM_INFINITY};

INSTANTIATE_TEST_SUITE_P(
    Limits, StartLimitsTest,
    ::testing::Values(
        LimitCase{"usual limits", kUsualFiles, kUsualStack, 0, ""},
        LimitCase{
            "no limits", {RLIM_INFINITY, RLIM_INFINITY}, {RLIM_INFINITY, RLIM_INFINITY}, 0, ""},
        LimitCase{"just enough", {64, 64}, {256 * kKiB, 256 * kKiB}, 0, ""},
        LimitCase{"ulimit -n 16",
                  {16, 16},
                  kUsualStack,
                  0,
                  "cannot start with a limit of 16 open files (ulimit -n); it needs at least 64."},
        LimitCase{"one file short",
                  {63, 63},
                  kUsualStack,
                  0,
                  "cannot start with a limit of 63 open files (ulimit -n); it needs at least 64."},
        // A soft limit below a hard one that allows enough is raised, not refused.
        LimitCase{"soft open-file limit low, hard high", {16, 4096}, kUsualStack, 64, ""},
        LimitCase{"soft and hard both short, hard named",
                  {16, 32},
                  kUsualStack,
                  0,
                  "cannot start with a limit of 32 open files (ulimit -n); it needs at least 64."},
        LimitCase{"ulimit -s 64",
                  kUsualFiles,
                  {64 * kKiB, 64 * kKiB},
                  0,
                  "cannot start with a stack limit of 64 KiB (ulimit -s); it needs at least 256 "
                  "KiB."},
        // The threads took their stacks at the process's start: a higher hard limit is no help.
        LimitCase{"soft stack low, hard high",
                  kUsualFiles,
                  {255 * kKiB, RLIM_INFINITY},
                  0,
                  "cannot start with a stack limit of 255 KiB (ulimit -s); it needs at least 256 "
                  "KiB."},
        // One line: the open files are named first.
        LimitCase{
            "both too low",
            {16, 16},
            {64 * kKiB, 64 * kKiB},
            0,
            "cannot start with a limit of 16 open files (ulimit -n); it needs at least 64."}));

}  // namespace
}  // namespace rpn
