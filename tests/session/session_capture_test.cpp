// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <exception>
#include <ostream>
#include <string>

#include "engine/arithmetic_fault.h"
#include "session/calculator_session.h"
#include "tests/engine/fake_window.h"
#include "tests/engine/state_access.h"

namespace rpn {
namespace {

using testing::FakeWindow;

class FixedHost : public SessionHost {
  public:
    WindowPosition MainWindowPosition() const override { return {11, 22}; }
    void MoveMainWindow(WindowPosition) override {}
    void ShowErrorBox(const std::string&) override {}
};

constexpr Register kCommittedX = 6;
constexpr Register kY = 2;

// What an X entry leaves in line 1 of the file, whether it is saved at a close (committed)
// or taken from outside the event loop (previewed).
struct EntryCase {
    const char* entry;
    Register savedX;
    // Beyond the register's range: reported, then left out.
    bool overflows;
};

constexpr std::array kEntryCases = {
    EntryCase{"12,5", 12.5L, false},           EntryCase{"", 0, false},
    EntryCase{"12x", kCommittedX, false},      EntryCase{"1e4933", kCommittedX, true},
    EntryCase{"-1,5e5000", kCommittedX, true},
};

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const EntryCase& c, std::ostream* out) {
    *out << "entry \"" << c.entry << "\"";
}

class SessionCaptureTest : public ::testing::TestWithParam<EntryCase> {
  protected:
    void SetUp() override {
        InitialiseRegisterArithmetic();
        StateOf(calc).CommittedX = kCommittedX;
        StateOf(calc).X = kCommittedX;
        StateOf(calc).Y = kY;
        window.text(Field::X) = GetParam().entry;
    }

    FakeWindow window;
    Calculator calc{window};
    FixedHost host;
};

TEST_P(SessionCaptureTest, CaptureKeepsTheLastCommittedXForAnUnusableEntry) {
    int faults = 0;
    const SessionData data = CaptureSession(calc, host, {1, 2}, [&](const std::exception& fault) {
        ++faults;
        EXPECT_STREQ(fault.what(), "Floating point overflow");
    });
    EXPECT_EQ(data.x, GetParam().savedX);
    EXPECT_EQ(data.y, kY);
    EXPECT_EQ(data.window, (WindowPosition{11, 22}));
    EXPECT_EQ(data.keypad, (WindowPosition{1, 2}));
    EXPECT_EQ(faults, GetParam().overflows ? 1 : 0);
}

TEST_P(SessionCaptureTest, CaptureWithoutAReportStillSaves) {
    EXPECT_EQ(CaptureSession(calc, host, {1, 2}).x, GetParam().savedX);
}

TEST_P(SessionCaptureTest, PreviewGivesWhatTheCloseWouldSaveAndTouchesNothing) {
    const SessionData data = PreviewSession(calc, window.FieldText(Field::X), {3, 4}, {5, 6});
    EXPECT_EQ(data.x, GetParam().savedX);
    EXPECT_EQ(data.y, kY);
    EXPECT_EQ(data.window, (WindowPosition{3, 4}));
    EXPECT_EQ(data.keypad, (WindowPosition{5, 6}));
    EXPECT_EQ(window.beeps, 0);
    EXPECT_EQ(window.text(Field::X), GetParam().entry);
    EXPECT_EQ(calc.state().CommittedX, kCommittedX);
}

INSTANTIATE_TEST_SUITE_P(Entries, SessionCaptureTest, ::testing::ValuesIn(kEntryCases));

}  // namespace
}  // namespace rpn
