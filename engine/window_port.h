// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rpn {

// The four register fields of the main window.
enum class Field { X, Y, Z, T };

// What the calculator needs of its window. The Qt main window implements it; tests fake it.
// Texts are single-byte strings; positions count characters.
class WindowPort {
  public:
    virtual ~WindowPort() = default;

    virtual std::string FieldText(Field field) const = 0;
    virtual void SetFieldText(Field field, const std::string& text) = 0;

    // Characters before the caret or before the first selected character.
    virtual int SelectionStart(Field field) const = 0;
    virtual int SelectionLength(Field field) const = 0;
    // Puts the caret at `position` with nothing selected.
    virtual void SetCaret(Field field, int position) = 0;
    // Drops the selection, leaving the caret where it is.
    virtual void Deselect(Field field) = 0;

    // Gives the X field the input focus.
    virtual void FocusX() = 0;
    // Selects all of the X field's text (the caret ends at the end of the text).
    virtual void SelectAllX() = 0;

    // Shows the angle mode's caption ("Degrees" or "Radians") in its label.
    virtual void ShowAngleMode(const char* caption) = 0;

    // The default system beep, for an entry that cannot be read outside an operation.
    virtual void Beep() = 0;
};

}  // namespace rpn
