// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's commands and events leave the X entry as, seen the way the user sees it:
// the next digit either lifts X into Y or goes on with the text that stands in X.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <exception>
#include <limits>
#include <ostream>
#include <string>
#include <tuple>

#include "entry/entry_controller.h"
#include "layout/window_command_entry.h"
#include "session/calculator_session.h"
#include "tests/engine/fake_window.h"
#include "tests/entry/entry_fixture.h"

namespace rpn::testing {
namespace {

using ui::Command;
using ui::kEntryAfter;

class QuietHost : public SessionHost {
  public:
    WindowPosition MainWindowPosition() const override { return {}; }
    void MoveMainWindow(WindowPosition) override {}
    void ShowErrorBox(const std::string&) override {}
};

// The calculator and the entry handlers as the main window holds them.
struct Rig {
    FakeWindow window;
    Calculator calc{window};
    FakeClipboard clipboard;
    EntryController entry{calc, clipboard, [] {}};
    QuietHost host;
    WindowPosition keypad;

    // The run's session opened from `x` and `y`, saved at once as the window does.
    void OpenSessionWith(Register x, Register y) {
        LoadedSession loaded;
        loaded.read.data.x = x;
        loaded.read.data.y = y;
        OpenSession(loaded, calc, host, keypad,
                    [this] { CaptureSession(calc, host, keypad, [](const std::exception&) {}); });
    }
};

// Where the entry stands when the command or event comes.
enum class Before { ShownResult, HalfTypedNumber };

struct RuleCase {
    const char* what;
    void (*apply)(Rig&);
    // True: the next digit lifts X; false: it goes on with the entry (all of X selected, so
    // that it replaces the text).
    bool lifts;
};

constexpr std::array kRules = {
    RuleCase{"Back/Top", [](Rig& r) { r.calc.ReturnToX(kEntryAfter<Command::ToggleStayOnTop>); },
             false},
    RuleCase{"Trig/Small", [](Rig& r) { r.calc.ReturnToX(kEntryAfter<Command::ToggleTrigPanel>); },
             true},
    RuleCase{"Help", [](Rig& r) { r.calc.ReturnToX(kEntryAfter<Command::Help>); }, false},
    RuleCase{"Keys shows the keypad",
             [](Rig& r) { r.calc.ReturnToX(kEntryAfter<Command::ToggleKeypad>); }, true},
    RuleCase{"window active again, X focused",
             [](Rig& r) {
                 r.window.FocusX();
                 r.entry.xEntry.WindowBecameActive();
             },
             false},
    RuleCase{"session opened", [](Rig& r) { r.OpenSessionWith(2.5L, 4); }, true},
    // Its display form does not read back: the first save answers with a beep and a 0, which
    // still stands as a finished value.
    RuleCase{"session opened with an infinite X",
             [](Rig& r) { r.OpenSessionWith(std::numeric_limits<Register>::infinity(), 4); }, true},
};

void PrintTo(const RuleCase& rule, std::ostream* out) {
    *out << rule.what;
}

void PrintTo(Before before, std::ostream* out) {
    *out << (before == Before::ShownResult ? "after a result" : "while typing");
}

class EntryAfterWindowTest : public ::testing::TestWithParam<std::tuple<RuleCase, Before>> {};

TEST_P(EntryAfterWindowTest, NextDigitLiftsXOrGoesOnWithTheEntry) {
    const auto& [rule, before] = GetParam();
    Rig rig;
    StateOf(rig.calc).X = 3.5L;
    StateOf(rig.calc).Y = 2;
    rig.calc.RefreshDisplay();
    if (before == Before::HalfTypedNumber) {
        rig.entry.xEntry.TypeKey('1');
        rig.entry.xEntry.TypeKey('2');
    }
    // The entry's caret moved away from a whole selection, as a click into the field does.
    rig.window.SetCaret(Field::X, 1);

    rule.apply(rig);
    ASSERT_TRUE(rig.window.XAllSelected());
    const std::string xBefore = rig.window.text(Field::X);
    const std::string yBefore = rig.window.text(Field::Y);
    rig.entry.xEntry.TypeKey('7');

    EXPECT_EQ(rig.window.text(Field::X), "7");
    EXPECT_EQ(rig.window.text(Field::Y), rule.lifts ? xBefore : yBefore)
        << "X was " << xBefore << ", Y was " << yBefore;
}

INSTANTIATE_TEST_SUITE_P(WindowRules, EntryAfterWindowTest,
                         ::testing::Combine(::testing::ValuesIn(kRules),
                                            ::testing::Values(Before::ShownResult,
                                                              Before::HalfTypedNumber)),
                         [](const ::testing::TestParamInfo<EntryAfterWindowTest::ParamType>& info) {
                             std::string name = std::get<0>(info.param).what;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name + (std::get<1>(info.param) == Before::ShownResult
                                                ? "_AfterAResult"
                                                : "_WhileTyping");
                         });

}  // namespace
}  // namespace rpn::testing
