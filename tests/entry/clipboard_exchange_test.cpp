// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/number_text.h"
#include "tests/entry/entry_fixture.h"

namespace rpn::testing {
namespace {

struct PasteCase {
    const char* clipboardText;
    // What the paste reads in the end; nullptr when it refuses the text.
    const char* parsedLast;
};

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const PasteCase& c, std::ostream* out) {
    *out << "clipboard \"" << c.clipboardText << "\"";
}

class PasteTest : public EntryTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTest, PushesTheNumberTheClipboardTextStartsWith) {
    const PasteCase& c = GetParam();
    ShowStack(0, 2, 3, 4);
    window.TypeIntoX("5");
    state().StackLift = false;
    clipboard.text = c.clipboardText;

    entry.clipboardExchange.Paste();

    if (c.parsedLast != nullptr) {
        const Register pasted = ParseEntry(c.parsedLast).value;
        EXPECT_EQ(window.beeps, 0);
        EXPECT_EQ(state().X, pasted);
        EXPECT_EQ(state().CommittedX, pasted);
        EXPECT_EQ(state().Y, 5.0L);
        EXPECT_EQ(state().Z, 2.0L);
        EXPECT_EQ(state().T, 3.0L);
        EXPECT_TRUE(state().StackLift);
        EXPECT_TRUE(window.XAllSelected());
    } else {
        EXPECT_EQ(window.beeps, 1);
        EXPECT_EQ(xText(), "5");
        EXPECT_EQ(state().Y, 2.0L);
        EXPECT_EQ(state().CommittedX, 5.0L) << "the committed X is kept";
        EXPECT_FALSE(state().StackLift);
    }
}

INSTANTIATE_TEST_SUITE_P(ClipboardTexts, PasteTest,
                         ::testing::Values(PasteCase{"12.5", "12.5"}, PasteCase{"3,75", "3.75"},
                                           PasteCase{"12.5 kg", "12.5"}, PasteCase{"42\n", "42"},
                                           PasteCase{"1,234.5", "1.234"},
                                           PasteCase{"2.5e3x", "2500"}, PasteCase{"abc", nullptr},
                                           PasteCase{"", nullptr},
                                           // Still incomplete after the one cut.
                                           PasteCase{"12.5e", nullptr}));

TEST_F(EntryTest, PasteOverAnUnreadableEntryLiftsZero) {
    ShowStack(0, 2, 3, 4);
    window.TypeIntoX("1x");
    clipboard.text = "8";

    entry.clipboardExchange.Paste();

    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(state().X, 8.0L);
    EXPECT_EQ(state().Y, 0.0L);
    EXPECT_EQ(state().Z, 2.0L);
    EXPECT_EQ(xText(), "8");
}

TEST_F(EntryTest, CopyOfXGivesTheDisplayFormAndKeepsTheTypedText) {
    ShowStack(0, 2);
    window.TypeIntoX("1,50");
    state().StackLift = false;
    clipboard.text = "old";

    entry.clipboardExchange.Copy();

    EXPECT_EQ(clipboard.text, "1.5");
    EXPECT_EQ(xText(), "1,50");
    EXPECT_TRUE(window.XAllSelected());
    EXPECT_TRUE(state().StackLift);
    EXPECT_EQ(state().Y, 2.0L) << "nothing lifted by the copy";
    EXPECT_EQ(state().CommittedX, 0.0L);

    Type("7");
    EXPECT_EQ(state().Y, 1.5L);
    EXPECT_EQ(xText(), "7");
}

TEST_F(EntryTest, CopyOfAnUnreadableOrEmptyXBeepsAndKeepsTheClipboard) {
    for (const char* text : {"", "abc", "1.5E"}) {
        window.beeps = 0;
        window.TypeIntoX(text);
        clipboard.text = "old";
        clipboard.writes = 0;

        entry.clipboardExchange.Copy();

        EXPECT_EQ(window.beeps, 1) << text;
        EXPECT_EQ(clipboard.writes, 0) << text;
        EXPECT_EQ(xText(), "0") << text;
        EXPECT_TRUE(window.XAllSelected()) << text;
        EXPECT_TRUE(state().StackLift) << text;
    }
}

TEST_F(EntryTest, CopyOfARegisterFieldServesOneCopy) {
    ShowStack(1, 2, 3, 4);
    window.text(Field::T) = "4 as shown";
    window.field(Field::T).selectionLength = 3;
    state().StackLift = false;

    entry.clipboardExchange.FieldFocused(Field::T);
    entry.clipboardExchange.Copy();
    EXPECT_EQ(clipboard.text, "4 as shown") << "the whole text whatever is selected";
    EXPECT_EQ(entry.clipboardExchange.CopySource, Field::X);
    EXPECT_FALSE(state().StackLift);

    entry.clipboardExchange.Copy();
    EXPECT_EQ(clipboard.text, "1");
}

TEST_F(EntryTest, CopyTakesTheFieldEnteredLast) {
    ShowStack(1, 2, 3, 4);
    entry.clipboardExchange.FieldFocused(Field::T);
    entry.clipboardExchange.FieldFocused(Field::Y);
    entry.clipboardExchange.Copy();
    EXPECT_EQ(clipboard.text, "2");

    entry.clipboardExchange.FieldFocused(Field::Z);
    entry.clipboardExchange.FieldFocused(Field::X);
    entry.clipboardExchange.Copy();
    EXPECT_EQ(clipboard.text, "1");
}

}  // namespace
}  // namespace rpn::testing
