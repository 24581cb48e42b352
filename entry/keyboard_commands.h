// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

#include "engine/calculator.h"
#include "entry/clipboard_exchange.h"
#include "entry/clipboard_port.h"
#include "entry/key_answer.h"
#include "entry/x_entry.h"

namespace rpn {

// The keys that the keyboard commands know; the window maps its own key identities to these.
enum class Key { Other, Up, Down, PageUp, PageDown, LetterC, LetterV, LetterX };

// The modifier keys held with a key.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    // The clipboard keys act only with Ctrl alone; with Shift or Alt as well they are left
    // to the focused field.
    bool CtrlOnly() const { return ctrl && !shift && !alt; }
};

// The main window's keyboard commands: the clipboard keys done by hand at key-down whichever
// control has the focus, Esc for the keypad window, and the roll and sign keys of the X field.
class KeyboardCommands {
  public:
    KeyboardCommands(Calculator& calculator, ClipboardPort& clipboard, ClipboardExchange& exchange,
                     XEntry& entry, std::function<void()> closeKeypad)
        : calc_(calculator),
          clipboard_(clipboard),
          exchange_(exchange),
          entry_(entry),
          closeKeypad_(std::move(closeKeypad)) {}

    // Set after a cut, a paste or a copy from X done by hand, so that the control character
    // of the same keystroke does not make the focused field do it a second time.
    bool SuppressNextKey = false;

    // Sees every key-down of the main window before the focused control; never consumes it.
    void KeyDown(Key key, KeyModifiers modifiers);
    // Sees every character of the main window before the focused control; true when it
    // consumed the character.
    bool CharacterTyped(char key);
    // Key release in the X field: the roll and sign keys run their operations.
    KeyAnswer XKeyReleased(Key key, KeyModifiers modifiers);

  private:
    void CutX();
    void Copy();
    void PasteIntoX();
    KeyAnswer Roll(Operation roll);

    Calculator& calc_;
    ClipboardPort& clipboard_;
    ClipboardExchange& exchange_;
    XEntry& entry_;
    std::function<void()> closeKeypad_;
};

}  // namespace rpn
