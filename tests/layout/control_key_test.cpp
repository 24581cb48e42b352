// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/control_key.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "layout/main_window_layout.h"

namespace rpn::ui {
namespace {

bool Acts(const ControlLayout& control) {
    return control.action.command != Command::None;
}

TEST(ControlKeyTest, EveryActingControlHasAKeyAndNothingElseHasOne) {
    for (const ControlLayout& control : MainWindowControls()) {
        EXPECT_EQ(static_cast<bool>(control.key), Acts(control)) << control.name;
        if (control.key) {
            EXPECT_TRUE(control.kind == ControlKind::GlyphButton ||
                        control.kind == ControlKind::PushButton)
                << control.name;
        }
    }
}

TEST(ControlKeyTest, NoKeyRunsTwoControls) {
    std::map<std::string, std::string> owner;
    for (const ControlLayout& control : MainWindowControls()) {
        if (!control.key) {
            continue;
        }
        const auto [it, fresh] = owner.emplace(KeyName(control.key), control.name);
        EXPECT_TRUE(fresh) << KeyName(control.key) << " runs " << it->second << " and "
                           << control.name;
    }
}

// The keyboard's own keys (digits and operators typed into X, Enter, Esc, the arrows, the
// Ctrl clipboard keys, F1 for help) stay theirs: a control key holds Alt, or is a function
// key other than F1.
TEST(ControlKeyTest, EveryKeyIsAnAltCombinationOrAFunctionKeyOtherThanHelp) {
    for (const ControlLayout& control : MainWindowControls()) {
        const ControlKey key = control.key;
        switch (key.kind) {
            case ControlKey::Kind::None:
                break;
            case ControlKey::Kind::Alt:
            case ControlKey::Kind::AltShift:
                EXPECT_TRUE(std::isupper(key.code) || std::isdigit(key.code)) << control.name;
                break;
            case ControlKey::Kind::Function:
                EXPECT_GE(key.code, 2) << control.name;
                EXPECT_LE(key.code, 12) << control.name;
                break;
        }
    }
}

// Shift with the same letter runs the inverse, so that one letter is learnt for a pair.
TEST(ControlKeyTest, InversesShareTheirLetterWithShift) {
    const std::array<std::pair<const char*, const char*>, 9> pairs = {{
        {"Buttonsin", "Buttonasin"},
        {"Buttoncos", "Buttonacos"},
        {"Buttontan", "Buttonatan"},
        {"Buttonln", "Buttonex"},
        {"Buttonlog", "Button10X"},
        {"SpeedButtonSqr", "SpeedButtonX2"},
        {"Buttondegrad", "Buttonraddeg"},
        {"ButtonSTO", "ButtonRCL"},
        {"SpeedButtonPM", "SpeedButtonPME"},
    }};
    for (const auto& [forward, inverse] : pairs) {
        const ControlLayout* f = FindControl(forward);
        const ControlLayout* i = FindControl(inverse);
        ASSERT_TRUE(f && i) << forward;
        EXPECT_EQ(f->key.kind, ControlKey::Kind::Alt) << forward;
        EXPECT_EQ(i->key, AltShiftKey(static_cast<char>(f->key.code))) << inverse;
    }
}

// An operation without a control cannot be clicked, and one with two would be listed twice
// in help; every operation's control has a key (checked above), and help lists the key.
TEST(ControlKeyTest, EveryOperationHasExactlyOneControl) {
    std::map<int, int> controls;
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.action.command == Command::Calculate) {
            const int operation = static_cast<int>(control.action.operation);
            EXPECT_LT(operation, kOperationCount) << control.name << " runs no engine operation";
            ++controls[operation];
        }
    }
    // Roll up has no button: the Up arrow in the X field runs it.
    const int keyboardOnly = static_cast<int>(Operation::RollUp);
    for (int operation = 0; operation < kOperationCount; ++operation) {
        EXPECT_EQ(controls[operation], operation == keyboardOnly ? 0 : 1)
            << "operation " << operation;
    }
}

TEST(ControlKeyTest, KeyNames) {
    const struct {
        ControlKey key;
        std::string_view name;
    } cases[] = {
        {AltKey('S'), "Alt+S"}, {AltShiftKey('Q'), "Alt+Shift+Q"}, {AltKey('7'), "Alt+7"},
        {FunctionKey(2), "F2"}, {FunctionKey(10), "F10"},          {{}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyName(c.key), c.name);
    }
}

TEST(ControlKeyTest, EachKeyFindsItsOwnControl) {
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.key) {
            EXPECT_EQ(FindControlByKey(control.key), &control) << control.name;
        }
    }
    EXPECT_EQ(FindControlByKey({}), nullptr);
    EXPECT_EQ(FindControlByKey(AltKey('J')), nullptr);
    EXPECT_EQ(FindControlByKey(FunctionKey(1)), nullptr);
}

std::string ReadFile(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The part of `text` from `start` to the next `end`; empty when `start` is missing.
std::string Section(const std::string& text, std::string_view start, std::string_view end) {
    const size_t from = text.find(start);
    if (from == std::string::npos) {
        return {};
    }
    return text.substr(from, text.find(end, from + start.size()) - from);
}

TEST(ControlKeyTest, HelpAndManualListEveryKey) {
    const std::string help = Section(ReadFile(RPNCALC_HELP_FILE), "<a name=\"topic-200\">", "<h2>");
    const std::string manual = Section(ReadFile(RPNCALC_MANUAL_PAGE), ".SH KEYS", ".SH ");
    ASSERT_FALSE(help.empty());
    ASSERT_FALSE(manual.empty());
    for (const ControlLayout& control : MainWindowControls()) {
        if (!control.key) {
            continue;
        }
        const std::string name = KeyName(control.key);
        EXPECT_NE(help.find("<td>" + name + "</td>"), std::string::npos) << name;
        EXPECT_NE(manual.find(".B " + name + "\n"), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace rpn::ui
