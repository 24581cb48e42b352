// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/calculator.h"
#include "entry/entry_controller.h"
#include "tests/engine/fake_window.h"
#include "tests/engine/state_access.h"

namespace rpn::testing {

class FakeClipboard : public ClipboardPort {
  public:
    std::string text;
    // A text too long to take, or an owner that does not answer.
    bool refuses = false;
    int writes = 0;

    std::optional<std::string> Text() override {
        if (refuses) {
            return std::nullopt;
        }
        return text;
    }
    void SetText(const std::string& t) override {
        text = t;
        ++writes;
    }
};

// A calculator on a fake window and a fake clipboard, with the entry handlers wired to them.
class EntryTest : public ::testing::Test {
  protected:
    FakeWindow window;
    Calculator calc{window};
    FakeClipboard clipboard;
    int keypadCloses = 0;
    EntryController entry{calc, clipboard, [this] { ++keypadCloses; }};

    CalculatorState& state() { return StateOf(calc); }
    std::string& xText() { return window.text(Field::X); }
    FakeWindow::FieldState& x() { return window.field(Field::X); }

    void SetStack(Register x, Register y, Register z, Register t) {
        state().X = x;
        state().Y = y;
        state().Z = z;
        state().T = t;
    }
    // A result on show: the fields refreshed, X all selected, StackLift set.
    void ShowStack(Register x, Register y = 0, Register z = 0, Register t = 0) {
        SetStack(x, y, z, t);
        calc.RefreshDisplay();
    }

    // What a single-line field does with a character that reaches it: Backspace deletes,
    // the three clipboard characters cut, copy or paste the selection, others are inserted.
    void FieldProcesses(char ch) {
        auto& f = x();
        const std::string selected = f.text.substr(f.selectionStart, f.selectionLength);
        std::string inserted;
        int start = f.selectionStart;
        int length = f.selectionLength;
        switch (ch) {
            case 3:
                clipboard.SetText(selected);
                return;
            case 24:
                clipboard.SetText(selected);
                break;
            case 22:
                inserted = clipboard.text;
                break;
            case 8:
                if (length == 0 && start > 0) {
                    --start;
                    length = 1;
                }
                break;
            default:
                inserted = std::string(1, ch);
                break;
        }
        f.text = f.text.substr(0, start) + inserted + f.text.substr(start + length);
        f.selectionStart = start + static_cast<int>(inserted.size());
        f.selectionLength = 0;
    }

    // One keystroke in the X field, in the order the main window delivers it: key-down to
    // the window, the character to the window and then to the field's handler and the
    // field, and the release to the field.
    void Keystroke(Key key, char ch, KeyModifiers modifiers = {}) {
        entry.keyboard.KeyDown(key, modifiers);
        if (ch != 0 && !entry.keyboard.CharacterTyped(ch)) {
            const KeyAnswer answer = entry.xEntry.CharacterTyped(ch);
            Present(answer.outcome);
            if (!answer.consumed) {
                FieldProcesses(ch);
            }
        }
        Present(entry.keyboard.XKeyReleased(key, modifiers).outcome);
    }
    // The window's answer to an operation's outcome, as far as the fake can show it: a refusal
    // and a math error beep.
    void Present(Outcome outcome) {
        if (outcome == kRefused || outcome == kMathError) {
            ++window.beeps;
        }
    }
    // Printable characters typed one by one (their key does not matter here).
    void Type(const std::string& chars) {
        for (char c : chars) {
            Keystroke(Key::Other, c);
        }
    }
    // Ctrl with one of the letters X, C, V.
    void CtrlKey(char letter, KeyModifiers modifiers = {.ctrl = true}) {
        const Key key = letter == 'X' ? Key::LetterX : letter == 'C' ? Key::LetterC : Key::LetterV;
        Keystroke(key, static_cast<char>(letter - 'A' + 1), modifiers);
    }
};

}  // namespace rpn::testing
