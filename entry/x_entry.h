// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "engine/calculator.h"
#include "entry/key_answer.h"

namespace rpn {

// The exponent sign toggle on an entry text: the text upper-cased, then the character after
// its first "E" flipped between "+" and "-" (a "+" inserted when it is neither), or
// "E+0000" appended when there is no "E".
std::string ToggleExponentSign(std::string text);

// Typing into the X field. Nothing typed is interpreted here: the text becomes a number only
// when the next operation commits it.
class XEntry {
  public:
    explicit XEntry(Calculator& calculator) : calc_(calculator) {}

    // Inserts `ch` at the X caret in place of the selection; a shown result is lifted first.
    void TypeKey(char ch);
    // Types `keys` one character after the other, as that many TypeKey calls would: the
    // first may lift a shown result, and the others go in at the caret it leaves.
    void TypeKeys(std::string_view keys);
    // Flips the sign of the entry's exponent in its text.
    void ToggleEntryExponentSign();
    // Puts the caret into the X field to edit its text where it stands.
    void EditX();
    // The window has become active again and has given X the focus: all of X selected, and
    // the next typed character goes on with the entry, so that it replaces the whole text
    // rather than lifting it.
    void WindowBecameActive();
    // The X field's character handler: an operator character runs its operation and is
    // consumed.
    KeyAnswer CharacterTyped(char key);

  private:
    Calculator& calc_;
};

}  // namespace rpn
