// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/x_entry.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>

#include "entry/entry_text_limit.h"
#include "tests/entry/entry_fixture.h"

namespace rpn::testing {
namespace {

struct TypeKeyCase {
    const char* before;
    int selectionStart;
    int selectionLength;
    char ch;
    const char* after;
    int caretAfter;
};

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const TypeKeyCase& c, std::ostream* out) {
    *out << "'" << c.ch << "' into \"" << c.before << "\" at " << c.selectionStart << "+"
         << c.selectionLength;
}

class TypeKeyTest : public EntryTest, public ::testing::WithParamInterface<TypeKeyCase> {};

TEST_P(TypeKeyTest, ReplacesTheSelectionOrInsertsAtTheCaret) {
    const TypeKeyCase& c = GetParam();
    x() = {c.before, c.selectionStart, c.selectionLength};
    state().StackLift = false;
    state().Y = 9;

    entry.xEntry.TypeKey(c.ch);

    EXPECT_EQ(xText(), c.after);
    EXPECT_EQ(x().selectionStart, c.caretAfter);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_TRUE(window.xFocused);
    EXPECT_FALSE(state().StackLift);
    EXPECT_EQ(state().Y, 9.0L) << "typing never lifts without StackLift";
}

INSTANTIATE_TEST_SUITE_P(Examples, TypeKeyTest,
                         ::testing::Values(TypeKeyCase{"12.5", 4, 0, '7', "12.57", 5},
                                           TypeKeyCase{"12.5", 2, 0, '0', "120.5", 3},
                                           TypeKeyCase{"12.5", 1, 2, '7', "175", 2},
                                           // From the first character: the whole text goes.
                                           TypeKeyCase{"12.5", 0, 2, '7', "7", 1},
                                           TypeKeyCase{"12.5", 0, 4, '7', "7", 1},
                                           TypeKeyCase{"", 0, 0, '.', ".", 1},
                                           TypeKeyCase{"5", 0, 0, '-', "-5", 1},
                                           TypeKeyCase{"5", 1, 0, '-', "5-", 2}));

// How a character comes into an entry.
enum class EntryWay { Keyboard, Keypad, ExponentToggle };

struct EntryLimitCase {
    const char* name;
    EntryWay way;
    // The entry's length below the limit before: 0 for a full one.
    std::size_t room;
    int selectionStart;
    int selectionLength;
    char ch;
    // The length after, as its distance below the limit; the entry stays as it was (and
    // beeps) when it is refused.
    std::size_t roomAfter;
    bool refused;
};

void PrintTo(const EntryLimitCase& c, std::ostream* out) {
    *out << c.name;
}

class EntryLimitTest : public EntryTest, public ::testing::WithParamInterface<EntryLimitCase> {};

// Typing never grows the entry past the limit that pastes keep: a held key or the keypad
// clicked on and on gets a beep once the entry is full, and nothing else changes.
TEST_P(EntryLimitTest, TypingKeepsTheEntryWithinThePasteLimit) {
    const EntryLimitCase& c = GetParam();
    const std::string before(kEntryTextLimit - c.room, '1');
    x() = {before, c.selectionStart, c.selectionLength};
    state().StackLift = false;
    state().Y = 9;

    switch (c.way) {
        case EntryWay::Keyboard:
            Keystroke(Key::Other, c.ch);
            break;
        case EntryWay::Keypad:
            entry.xEntry.TypeKey(c.ch);
            break;
        case EntryWay::ExponentToggle:
            Keystroke(Key::PageUp, 0);
            break;
    }

    EXPECT_EQ(xText().size(), kEntryTextLimit - c.roomAfter);
    EXPECT_EQ(window.beeps, c.refused ? 1 : 0);
    if (c.refused) {
        EXPECT_EQ(xText(), before);
        EXPECT_EQ(x().selectionStart, c.selectionStart);
        EXPECT_EQ(x().selectionLength, c.selectionLength);
    }
    EXPECT_FALSE(state().StackLift);
    EXPECT_EQ(state().Y, 9.0L);
}

constexpr int kEnd = static_cast<int>(kEntryTextLimit);

INSTANTIATE_TEST_SUITE_P(
    Bounds, EntryLimitTest,
    ::testing::Values(
        EntryLimitCase{"key filling the last place", EntryWay::Keyboard, 1, kEnd - 1, 0, '7', 0,
                       false},
        EntryLimitCase{"key into a full entry", EntryWay::Keyboard, 0, kEnd, 0, '7', 0, true},
        EntryLimitCase{"key inside a full entry", EntryWay::Keyboard, 0, 3, 0, '7', 0, true},
        // A character the keyboard gives beyond one byte arrives as one "?".
        EntryLimitCase{"wide character into a full entry", EntryWay::Keyboard, 0, kEnd, 0, '?', 0,
                       true},
        EntryLimitCase{"key over a selection in a full entry", EntryWay::Keyboard, 0, 5, 2, '7', 1,
                       false},
        EntryLimitCase{"Backspace in a full entry", EntryWay::Keyboard, 0, kEnd, 0, 8, 1, false},
        EntryLimitCase{"keypad filling the last place", EntryWay::Keypad, 1, kEnd - 1, 0, '7', 0,
                       false},
        EntryLimitCase{"keypad into a full entry", EntryWay::Keypad, 0, kEnd, 0, '-', 0, true},
        EntryLimitCase{"keypad over a selection in a full entry", EntryWay::Keypad, 0, 5, 1, '7', 0,
                       false},
        EntryLimitCase{"keypad over a selection from the start", EntryWay::Keypad, 0, 0, 3, '7',
                       kEntryTextLimit - 1, false},
        // The first toggle appends six characters.
        EntryLimitCase{"exponent appended into the last places", EntryWay::ExponentToggle, 6, 0, 0,
                       0, 0, false},
        EntryLimitCase{"exponent with no room", EntryWay::ExponentToggle, 5, 0, 0, 0, 5, true}));

TEST_F(EntryTest, TypeKeyAfterAResultLiftsItAndStartsANewNumber) {
    ShowStack(3.5L, 2, 1, 0);

    entry.xEntry.TypeKey('8');

    EXPECT_EQ(xText(), "8");
    EXPECT_EQ(x().selectionStart, 1);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_EQ(state().Y, 3.5L);
    EXPECT_EQ(state().Z, 2.0L);
    EXPECT_EQ(state().T, 1.0L);
    EXPECT_FALSE(state().StackLift);
}

TEST_F(EntryTest, TypeKeyOverAnUnreadableTextBeepsOnceAndStillTypes) {
    SetStack(0, 2, 1, 0);
    state().StackLift = true;
    window.TypeIntoX("abc");

    entry.xEntry.TypeKey('4');

    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(xText(), "4");
    EXPECT_EQ(state().X, 0.0L);
    EXPECT_EQ(state().Y, 2.0L) << "nothing is lifted";
    EXPECT_FALSE(state().StackLift);
}

// Typing a whole text at once must leave the field, the caret and the stack as typing it key
// by key does, from a shown result (lifted), a caret inside an entry and a selection.
struct TypeKeysCase {
    const char* name;
    const char* before;
    int selectionStart;
    int selectionLength;
    bool stackLift;
    const char* keys;
};

void PrintTo(const TypeKeysCase& c, std::ostream* out) {
    *out << c.name;
}

class TypeKeysTest : public EntryTest, public ::testing::WithParamInterface<TypeKeysCase> {
  protected:
    void Prepare() {
        const TypeKeysCase& c = GetParam();
        SetStack(4, 3, 2, 1);
        x() = {c.before, c.selectionStart, c.selectionLength};
        state().StackLift = c.stackLift;
        window.beeps = 0;
    }
};

TEST_P(TypeKeysTest, LeavesWhatTypingKeyByKeyLeaves) {
    const std::string keys = GetParam().keys;
    Prepare();
    for (char c : keys) {
        entry.xEntry.TypeKey(c);
    }
    const FakeWindow byKey = window;
    const CalculatorState stateByKey = state();

    Prepare();
    entry.xEntry.TypeKeys(keys);

    EXPECT_EQ(xText(), byKey.field(Field::X).text);
    EXPECT_EQ(x().selectionStart, byKey.field(Field::X).selectionStart);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_EQ(window.beeps, byKey.beeps);
    EXPECT_EQ(state().Y, stateByKey.Y);
    EXPECT_EQ(state().T, stateByKey.T);
    EXPECT_EQ(state().StackLift, stateByKey.StackLift);
}

INSTANTIATE_TEST_SUITE_P(
    StartingPoints, TypeKeysTest,
    ::testing::Values(TypeKeysCase{"OverAShownResult", "4", 0, 1, true, "-12,5e3"},
                      TypeKeysCase{"OverAnUnreadableResult", "         +Inf", 0, 13, true, "7"},
                      TypeKeysCase{"AtACaretInside", "12.5", 2, 0, false, "345"},
                      TypeKeysCase{"OverAMiddleSelection", "12.5", 1, 2, false, "99"},
                      TypeKeysCase{"OverAllSelected", "12.5", 0, 4, false, "1e9"},
                      TypeKeysCase{"OneKey", "", 0, 0, false, "."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToggleExponentSign, FlipsOnlyTheSignAfterTheFirstE) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"1.5", "1.5E+0000"},    {"1.5E+0000", "1.5E-0000"}, {"1.5E-0000", "1.5E+0000"},
        {"6.02e23", "6.02E+23"}, {"6.02E+23", "6.02E-23"},   {"-3E-7", "-3E+7"},
        {"2E", "2E+"},           {"1.5E-", "1.5E+"},         {"", "E+0000"},
        {"1E5", "1E+5"},         {"1E+5", "1E-5"},           {"1E2E3", "1E+2E3"},
        {"abe+1", "ABE-1"},      {"x,5", "X,5E+0000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToggleExponentSign(c.before), c.after) << c.before;
    }
}

TEST_F(EntryTest, ExponentToggleEditsTheTextOnlyAndClearsStackLift) {
    ShowStack(1.5L, 2);
    const int focusRequests = window.focusRequests;

    entry.xEntry.ToggleEntryExponentSign();
    EXPECT_EQ(xText(), "1.5E+0000");
    entry.xEntry.ToggleEntryExponentSign();
    EXPECT_EQ(xText(), "1.5E-0000");

    EXPECT_FALSE(state().StackLift);
    EXPECT_EQ(state().X, 1.5L);
    EXPECT_EQ(state().Y, 2.0L);
    EXPECT_EQ(window.focusRequests, focusRequests);
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(EntryTest, EditXOnAResultLetsTheNextDigitExtendIt) {
    ShowStack(12.5L, 2);

    entry.xEntry.EditX();
    EXPECT_EQ(x().selectionStart, 4);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_FALSE(state().StackLift);

    Type("3");
    EXPECT_EQ(xText(), "12.53");
    EXPECT_EQ(state().Y, 2.0L);
}

TEST_F(EntryTest, EditXKeepsACaretInsideTheText) {
    x() = {"12.5", 1, 0};
    entry.xEntry.EditX();
    EXPECT_EQ(x().selectionStart, 1);
    EXPECT_TRUE(window.xFocused);
}

// The operator keys and Enter, typed after an entry of 4 over Y = 3.
TEST_F(EntryTest, OperatorAndEnterKeysActAndNeverReachTheField) {
    const struct {
        char key;
        Register x;
        Register y;
        bool stackLift;
    } cases[] = {
        {'+', 7, 1, true},     {'-', -1, 1, true}, {'*', 12, 1, true},
        {'/', 0.75L, 1, true}, {13, 4, 4, false},
    };
    for (const auto& c : cases) {
        SetStack(0, 3, 1, 1);
        window.TypeIntoX("4");
        state().StackLift = false;

        const KeyAnswer answer = entry.xEntry.CharacterTyped(c.key);
        EXPECT_TRUE(answer.consumed) << c.key;
        EXPECT_EQ(answer.outcome, kDone) << c.key;
        EXPECT_EQ(state().X, c.x) << c.key;
        EXPECT_EQ(state().Y, c.y) << c.key;
        EXPECT_EQ(state().StackLift, c.stackLift) << c.key;
        EXPECT_TRUE(window.XAllSelected()) << c.key;
    }
}

TEST_F(EntryTest, ClipboardCharactersSelectAllAndPassOn) {
    const struct {
        char key;
        bool liftBefore;
        bool stackLiftAfter;
        bool lifted;
    } cases[] = {
        {3, false, true, false},  {3, true, true, false},   {24, false, false, false},
        {24, true, false, false}, {22, false, true, false}, {22, true, true, true},
    };
    for (const auto& c : cases) {
        SetStack(0, 2, 1, 0);
        x() = {"12.5", 2, 0};
        state().StackLift = c.liftBefore;

        EXPECT_FALSE(entry.xEntry.CharacterTyped(c.key).consumed);
        EXPECT_TRUE(window.XAllSelected()) << int(c.key);
        EXPECT_EQ(state().StackLift, c.stackLiftAfter) << int(c.key);
        EXPECT_EQ(state().Y, c.lifted ? 12.5L : 2.0L) << int(c.key);
    }
}

TEST_F(EntryTest, AnyOtherCharacterLiftsAShownResultOnce) {
    const char keys[] = {'5', '.', 'e', ' ', 'x', 8};
    for (char k : keys) {
        ShowStack(7, 2);
        EXPECT_FALSE(entry.xEntry.CharacterTyped(k).consumed);
        EXPECT_EQ(state().Y, 7.0L) << int(k);
        EXPECT_EQ(state().Z, 2.0L) << int(k);
        EXPECT_FALSE(state().StackLift) << int(k);

        entry.xEntry.CharacterTyped(k);
        EXPECT_EQ(state().Z, 2.0L) << "no second lift for " << int(k);
    }
}

TEST_F(EntryTest, ThreeEnterFourPlusShowsSeven) {
    window.TypeIntoX("");
    Type("3");
    Keystroke(Key::Other, 13);
    Type("4+");

    EXPECT_EQ(xText(), "7");
    EXPECT_EQ(state().X, 7.0L);
    EXPECT_TRUE(window.XAllSelected());
    EXPECT_TRUE(state().StackLift);
}

TEST_F(EntryTest, BackspaceAfterAResultLiftsItAndLeavesTheFieldEmpty) {
    ShowStack(7, 2);
    Keystroke(Key::Other, 8);
    EXPECT_EQ(xText(), "");
    EXPECT_EQ(state().Y, 7.0L);

    Keystroke(Key::Other, 13);
    EXPECT_EQ(state().X, 0.0L) << "an empty entry commits as 0";
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(EntryTest, MinusTypedIntoXSubtractsInsteadOfEnteringASign) {
    ShowStack(0, 10);
    window.TypeIntoX("4");
    state().StackLift = false;
    Type("-");
    EXPECT_EQ(state().X, 6.0L);
    EXPECT_EQ(xText().find('-'), std::string::npos);
}

}  // namespace
}  // namespace rpn::testing
