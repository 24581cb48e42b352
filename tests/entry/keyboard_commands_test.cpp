// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/keyboard_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/number_text.h"
#include "tests/entry/entry_fixture.h"

namespace rpn::testing {
namespace {

constexpr KeyModifiers kCtrl{.ctrl = true};
constexpr KeyModifiers kCtrlShift{.shift = true, .ctrl = true};
constexpr KeyModifiers kCtrlAlt{.ctrl = true, .alt = true};

TEST_F(EntryTest, CtrlXCutsTheSelectionOnce) {
    x() = {"12.345", 2, 3};
    CtrlKey('X');
    EXPECT_EQ(clipboard.text, ".34");
    EXPECT_EQ(xText(), "125");
    EXPECT_EQ(x().selectionStart, 2);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_FALSE(entry.keyboard.SuppressNextKey);
}

TEST_F(EntryTest, CtrlXWithNothingSelectedEmptiesTheClipboard) {
    x() = {"12.5", 2, 0};
    clipboard.text = "old";
    CtrlKey('X');
    EXPECT_EQ(clipboard.text, "");
    EXPECT_EQ(clipboard.writes, 1);
    EXPECT_EQ(xText(), "12.5");
    EXPECT_EQ(x().selectionStart, 2);
}

TEST_F(EntryTest, CtrlVInsertsAtTheXCaretWhileYHasTheFocus) {
    x() = {"12.5", 2, 0};
    window.text(Field::Y) = "3";
    clipboard.text = "7,x";

    entry.keyboard.KeyDown(Key::LetterV, kCtrl);
    EXPECT_TRUE(entry.keyboard.CharacterTyped(22)) << "the Y field's own paste must not run";
    EXPECT_EQ(xText(), "127,x.5") << "the clipboard text goes in unchanged";
    EXPECT_EQ(x().selectionStart, 2);
    EXPECT_EQ(window.text(Field::Y), "3");
    EXPECT_FALSE(entry.keyboard.SuppressNextKey);
}

TEST_F(EntryTest, CtrlVOverAShownResultIsLiftedByTheNextDigit) {
    ShowStack(12.5L, 2);
    clipboard.text = "7";

    CtrlKey('V');
    EXPECT_EQ(xText(), "7");
    EXPECT_EQ(x().selectionStart, 0);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_TRUE(state().StackLift);

    Type("3");
    EXPECT_EQ(state().Y, 7.0L);
    EXPECT_EQ(state().Z, 2.0L);
    EXPECT_EQ(xText(), "3");
}

TEST_F(EntryTest, CtrlVOfAnEmptyClipboardRemovesTheSelection) {
    x() = {"12.5", 1, 2};
    CtrlKey('V');
    EXPECT_EQ(xText(), "15");
    EXPECT_EQ(x().selectionStart, 1);
}

// A clipboard text too long to take, or an owner that never answers: both ways of pasting
// beep and leave the stack, the entry and its selection as they were.
TEST_F(EntryTest, RefusedClipboardChangesNothing) {
    struct Case {
        const char* name;
        std::function<void()> paste;
    };
    const Case cases[] = {
        {"Ctrl+V", [this] { CtrlKey('V'); }},
        {"Paste button", [this] { entry.clipboardExchange.Paste(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowStack(12.5L, 2, 3, 4);
        // An unreadable entry stays as typed: not even the commit runs.
        x() = {"1x5", 1, 1};
        state().StackLift = false;
        window.beeps = 0;
        clipboard.refuses = true;

        c.paste();

        EXPECT_EQ(window.beeps, 1);
        EXPECT_EQ(xText(), "1x5");
        EXPECT_EQ(x().selectionStart, 1);
        EXPECT_EQ(x().selectionLength, 1);
        EXPECT_EQ(state().X, 12.5L);
        EXPECT_EQ(state().Y, 2.0L);
        EXPECT_EQ(state().T, 4.0L);
        EXPECT_FALSE(state().StackLift);
        EXPECT_FALSE(entry.keyboard.SuppressNextKey);
    }
}

TEST_F(EntryTest, CtrlCAfterEnteringZCopiesZOnceThenX) {
    ShowStack(1.5L, 2, 345, 4);
    window.field(Field::Z).selectionStart = 1;
    window.field(Field::Z).selectionLength = 2;

    entry.clipboardExchange.FieldFocused(Field::Z);
    entry.keyboard.KeyDown(Key::LetterC, kCtrl);
    EXPECT_EQ(clipboard.text, "45");
    EXPECT_EQ(window.field(Field::Z).selectionStart, 1);
    EXPECT_EQ(window.field(Field::Z).selectionLength, 0);
    EXPECT_EQ(entry.clipboardExchange.CopySource, Field::X);
    EXPECT_FALSE(entry.keyboard.SuppressNextKey) << "the Z field's own copy finds nothing";

    entry.clipboardExchange.FieldFocused(Field::Z);
    entry.keyboard.KeyDown(Key::LetterC, kCtrl);
    EXPECT_EQ(clipboard.text, "345") << "the whole text with nothing selected";

    CtrlKey('C');
    EXPECT_EQ(clipboard.text, "1.5");
    EXPECT_EQ(xText(), "1.5");
    EXPECT_EQ(x().selectionStart, 0);
    EXPECT_EQ(x().selectionLength, 0);
    EXPECT_TRUE(state().StackLift) << "untouched";
}

TEST_F(EntryTest, CtrlCOfAPartOfXLeavesTheCaretAtItsStart) {
    x() = {"12.5", 1, 2};
    CtrlKey('C');
    EXPECT_EQ(clipboard.text, "2.");
    EXPECT_EQ(xText(), "12.5");
    EXPECT_EQ(x().selectionStart, 1);
    EXPECT_EQ(x().selectionLength, 0);
}

TEST_F(EntryTest, ClipboardKeysWithShiftOrAltAreTheFieldsOwnOnTheWholeText) {
    ShowStack(12.5L, 2);
    clipboard.text = "7";
    CtrlKey('V', kCtrlShift);
    EXPECT_EQ(xText(), "7");
    EXPECT_EQ(state().Y, 12.5L) << "the shown result is lifted before the paste";
    EXPECT_TRUE(state().StackLift);

    x() = {"8.25", 1, 0};
    CtrlKey('C', kCtrlAlt);
    EXPECT_EQ(clipboard.text, "8.25");
    EXPECT_TRUE(state().StackLift);

    x() = {"6.5", 3, 0};
    CtrlKey('X', kCtrlShift);
    EXPECT_EQ(clipboard.text, "6.5");
    EXPECT_EQ(xText(), "");
    EXPECT_FALSE(state().StackLift);
}

TEST_F(EntryTest, ClipboardKeyReleasesAreConsumedOnlyWithCtrlAlone) {
    for (Key key : {Key::LetterX, Key::LetterC, Key::LetterV}) {
        EXPECT_TRUE(entry.keyboard.XKeyReleased(key, kCtrl).consumed);
        EXPECT_FALSE(entry.keyboard.XKeyReleased(key, kCtrlShift).consumed);
        EXPECT_FALSE(entry.keyboard.XKeyReleased(key, {}).consumed);
    }
}

TEST_F(EntryTest, EscClosesTheKeypadBeforeAnySuppressedCharacter) {
    entry.keyboard.SuppressNextKey = true;
    EXPECT_TRUE(entry.keyboard.CharacterTyped(27));
    EXPECT_EQ(keypadCloses, 1);
    EXPECT_TRUE(entry.keyboard.SuppressNextKey);

    EXPECT_TRUE(entry.keyboard.CharacterTyped('a'));
    EXPECT_FALSE(entry.keyboard.SuppressNextKey);

    EXPECT_FALSE(entry.keyboard.CharacterTyped('a'));
}

TEST_F(EntryTest, ArrowReleasesRollTheStack) {
    const struct {
        Key key;
        Register x, y, z, t;
    } cases[] = {
        {Key::Down, 2, 3, 4, 1},
        {Key::Up, 4, 1, 2, 3},
    };
    for (const auto& c : cases) {
        ShowStack(1, 2, 3, 4);
        window.field(Field::X).selectionLength = 0;
        EXPECT_EQ(entry.keyboard.XKeyReleased(c.key, {}).outcome, kDone);
        EXPECT_EQ(state().X, c.x);
        EXPECT_EQ(state().Y, c.y);
        EXPECT_EQ(state().Z, c.z);
        EXPECT_EQ(state().T, c.t);
        EXPECT_EQ(xText(), FormatRegister(c.x, kDisplayWidth, '.'));
        EXPECT_TRUE(window.XAllSelected());
    }
}

TEST_F(EntryTest, ArrowReleaseOverAnUnreadableEntryOnlyResetsX) {
    SetStack(1, 2, 3, 4);
    window.TypeIntoX("1..2");
    EXPECT_EQ(entry.keyboard.XKeyReleased(Key::Down, {}).outcome, kRefused);
    EXPECT_EQ(window.beeps, 0);
    EXPECT_EQ(xText(), "0");
    EXPECT_EQ(state().Y, 2.0L);
    EXPECT_EQ(state().T, 4.0L);
    EXPECT_TRUE(window.XAllSelected());
}

TEST_F(EntryTest, PageKeyReleasesChangeTheSigns) {
    ShowStack(2.5L, 1);
    entry.keyboard.XKeyReleased(Key::PageDown, {});
    EXPECT_EQ(state().X, -2.5L);
    EXPECT_EQ(xText(), "-2.5");

    entry.keyboard.XKeyReleased(Key::PageUp, {});
    EXPECT_EQ(xText(), "-2.5E+0000");
    EXPECT_FALSE(state().StackLift);
}

}  // namespace
}  // namespace rpn::testing
