// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/iconic_state.h"

#include <gtest/gtest.h>

namespace {

using rpn::desktop::IconicWindow;
using rpn::desktop::OnWorkspaceNotShown;

struct IconicCase {
    const char* name;
    IconicWindow window;
    bool elsewhere;
};

void PrintTo(const IconicCase& c, std::ostream* out) {
    *out << c.name;
}

class IconicStateTest : public testing::TestWithParam<IconicCase> {};

TEST_P(IconicStateTest, TellsAnotherWorkspaceFromAMinimise) {
    EXPECT_EQ(OnWorkspaceNotShown(GetParam().window), GetParam().elsewhere);
}

INSTANTIATE_TEST_SUITE_P(
    Managers, IconicStateTest,
    testing::Values(
        // fluxbox on a workspace switch: off the screen, but not marked.
        IconicCase{"UnmarkedByAManagerThatMarks",
                   {.markedHidden = false, .managerMarksHidden = true},
                   true},
        IconicCase{"MarkedHidden", {.markedHidden = true, .managerMarksHidden = true}, false},
        // Without the mark a manager has no other way to say it.
        IconicCase{
            "ManagerWithoutTheMark", {.markedHidden = false, .managerMarksHidden = false}, false},
        IconicCase{"MarkedByAManagerThatListsNoMark",
                   {.markedHidden = true, .managerMarksHidden = false},
                   false}),
    [](const testing::TestParamInfo<IconicCase>& info) { return info.param.name; });

}  // namespace
