// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "engine/window_port.h"

namespace rpn::cli {

// The calculator's window without a screen: the four field texts with the X field's caret
// and selection as a line edit keeps them, so that typing and operations leave X exactly as
// they leave it in the window. It counts the beeps that the window would sound outside an
// operation.
class HeadlessWindow : public WindowPort {
  public:
    const std::string& Text(Field field) const { return Slot(field).text; }
    int beeps() const { return beeps_; }

    std::string FieldText(Field field) const override { return Slot(field).text; }
    void SetFieldText(Field field, const std::string& text) override;
    int SelectionStart(Field field) const override { return Slot(field).selectionStart; }
    int SelectionLength(Field field) const override { return Slot(field).selectionLength; }
    void SetCaret(Field field, int position) override;
    void Deselect(Field field) override;
    void FocusX() override {}
    void SelectAllX() override;
    void ShowAngleMode(const char*) override {}
    void Beep() override { ++beeps_; }

  private:
    struct FieldState {
        std::string text;
        int selectionStart = 0;
        int selectionLength = 0;
    };
    FieldState& Slot(Field field) { return fields_[static_cast<int>(field)]; }
    const FieldState& Slot(Field field) const { return fields_[static_cast<int>(field)]; }

    std::array<FieldState, 4> fields_;
    int beeps_ = 0;
};

}  // namespace rpn::cli
