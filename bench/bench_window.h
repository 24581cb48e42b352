// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "engine/window_port.h"

namespace rpn::bench {

// The least window the engine can run against: four texts, the caret at the end of a text
// replaced, no selection. Beeps and reports cost nothing, so the figures are the engine's.
class BenchWindow : public WindowPort {
  public:
    // Types `typed` into X, the caret at its end, as the user's keystrokes leave it.
    void TypeIntoX(const std::string& typed) { SetFieldText(Field::X, typed); }

    std::string FieldText(Field field) const override { return Slot(field).text; }
    void SetFieldText(Field field, const std::string& text) override {
        Slot(field) = {text, static_cast<int>(text.size())};
    }
    int SelectionStart(Field field) const override { return Slot(field).caret; }
    int SelectionLength(Field) const override { return 0; }
    void SetCaret(Field field, int position) override { Slot(field).caret = position; }
    void Deselect(Field) override {}
    void FocusX() override {}
    void SelectAllX() override {}
    void ShowAngleMode(const char*) override {}
    void Beep() override {}

  private:
    struct Text {
        std::string text;
        int caret = 0;
    };
    Text& Slot(Field field) { return fields_[static_cast<int>(field)]; }
    const Text& Slot(Field field) const { return fields_[static_cast<int>(field)]; }

    std::array<Text, 4> fields_;
};

}  // namespace rpn::bench
