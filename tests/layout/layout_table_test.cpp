// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "layout/keypad_layout.h"
#include "layout/main_window_layout.h"

namespace rpn::ui {
namespace {

int RowsPlaying(ControlRole role) {
    const auto controls = MainWindowControls();
    return static_cast<int>(
        std::count_if(controls.begin(), controls.end(),
                      [role](const ControlLayout& c) { return c.role == role; }));
}

// The window writes the registers and the angle mode into the controls found by these roles:
// a role on no row leaves a register unshown, one on two rows shows it in only one of them.
TEST(LayoutTableTest, EachRoleNamesExactlyOneControlOfItsKind) {
    const struct {
        ControlRole role;
        ControlKind kind;
    } cases[] = {
        {ControlRole::XField, ControlKind::EditField},
        {ControlRole::YField, ControlKind::EditField},
        {ControlRole::ZField, ControlKind::EditField},
        {ControlRole::TField, ControlKind::EditField},
        {ControlRole::AngleMode, ControlKind::Label},
    };
    for (const auto& c : cases) {
        const int role = static_cast<int>(c.role);
        EXPECT_EQ(RowsPlaying(c.role), 1) << "role " << role;
        const ControlLayout* control = FindControl(c.role);
        ASSERT_NE(control, nullptr) << "role " << role;
        EXPECT_EQ(control->role, c.role);
        EXPECT_EQ(control->kind, c.kind) << control->name;
    }
    EXPECT_EQ(FindControl(ControlRole::None), nullptr);
}

TEST(LayoutTableTest, EveryEditFieldShowsItsOwnRegister) {
    std::set<ControlRole> roles;
    for (const Field field : {Field::X, Field::Y, Field::Z, Field::T}) {
        roles.insert(FieldRole(field));
    }
    EXPECT_EQ(roles.size(), 4U);
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.kind == ControlKind::EditField) {
            EXPECT_TRUE(roles.contains(control.role)) << control.name;
        }
    }
}

// The window finds the Top and Trig buttons by their command to recaption them: a second
// control running the same command would keep its stale caption.
TEST(LayoutTableTest, EachWindowCommandHasOneControlThatFindsIt) {
    for (const ControlLayout& control : MainWindowControls()) {
        const Command command = control.action.command;
        if (command == Command::None || command == Command::Calculate) {
            continue;
        }
        EXPECT_EQ(FindControl(command), &control) << control.name;
    }
    EXPECT_EQ(FindControl(Command::None), nullptr);
    EXPECT_EQ(FindControl(Command::Calculate), nullptr);
}

TEST(LayoutTableTest, EachOperationFindsTheControlThatRunsIt) {
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.action.command == Command::Calculate) {
            EXPECT_EQ(FindControl(control.action.operation), &control) << control.name;
        }
    }
    EXPECT_EQ(FindControl(Operation::RollUp), nullptr);
}

bool Overlap(const KeypadKeyLayout& a, const KeypadKeyLayout& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(KeypadLayoutTest, KeysLieInsideTheWindowAndApart) {
    const auto keys = KeypadKeys();
    std::set<std::string> names;
    for (const KeypadKeyLayout& key : keys) {
        EXPECT_TRUE(names.insert(key.name).second) << key.name << " twice";
        EXPECT_GT(key.width, 0) << key.name;
        EXPECT_GT(key.height, 0) << key.name;
        EXPECT_GE(key.left, 0) << key.name;
        EXPECT_GE(key.top, 0) << key.name;
        EXPECT_LE(key.left + key.width, kKeypadClientWidth) << key.name;
        EXPECT_LE(key.top + key.height, kKeypadClientHeight) << key.name;
        for (const KeypadKeyLayout& other : keys) {
            if (&other != &key) {
                EXPECT_FALSE(Overlap(key, other)) << key.name << " overlaps " << other.name;
            }
        }
    }
}

// The keypad types numbers: every digit once, the point and the minus, and nothing else.
TEST(KeypadLayoutTest, KeysTypeEachDigitThePointAndTheMinusOnce) {
    std::string typed;
    for (const KeypadKeyLayout& key : KeypadKeys()) {
        typed += key.character;
        EXPECT_NE(*key.spoken, '\0') << key.name << " says nothing to a screen reader";
        // A face that shows one character must be the one it types; the point and the minus
        // show a glyph drawn for exactly those two.
        if (key.character == '.' || key.character == '-') {
            EXPECT_STREQ(key.caption, "") << key.name;
        } else {
            EXPECT_EQ(std::string(key.caption), std::string(1, key.character)) << key.name;
        }
    }
    std::sort(typed.begin(), typed.end());
    EXPECT_EQ(typed, "-.0123456789");
}

}  // namespace
}  // namespace rpn::ui
