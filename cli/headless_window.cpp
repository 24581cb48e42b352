// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/headless_window.h"

#include <algorithm>

namespace rpn::cli {

void HeadlessWindow::SetFieldText(Field field, const std::string& text) {
    // A replaced text leaves the caret at its end, as a line edit does.
    Slot(field) = {text, static_cast<int>(text.size()), 0};
}

void HeadlessWindow::SetCaret(Field field, int position) {
    FieldState& s = Slot(field);
    s.selectionStart = std::clamp(position, 0, static_cast<int>(s.text.size()));
    s.selectionLength = 0;
}

void HeadlessWindow::Deselect(Field field) {
    // The caret of a selection stands at its end.
    FieldState& s = Slot(field);
    s.selectionStart += s.selectionLength;
    s.selectionLength = 0;
}

void HeadlessWindow::SelectAllX() {
    FieldState& s = Slot(Field::X);
    s.selectionStart = 0;
    s.selectionLength = static_cast<int>(s.text.size());
}

}  // namespace rpn::cli
