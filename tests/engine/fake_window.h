// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <string>

#include "engine/window_port.h"

namespace rpn::testing {

// A window without a screen: four text fields with caret and selection, and counters for
// the beeps and focus requests the calculator asks for.
class FakeWindow : public WindowPort {
  public:
    struct FieldState {
        std::string text;
        int selectionStart = 0;
        int selectionLength = 0;
    };

    std::array<FieldState, 4> fields;
    int beeps = 0;
    int focusRequests = 0;
    bool xFocused = false;
    std::string angleModeCaption = "Degrees";

    FieldState& field(Field f) { return fields[static_cast<int>(f)]; }
    const FieldState& field(Field f) const { return fields[static_cast<int>(f)]; }
    std::string& text(Field f) { return field(f).text; }

    // Types `text` into X as a user would after clicking into the field: the whole
    // text replaced, the caret at its end.
    void TypeIntoX(const std::string& typed) {
        field(Field::X) = {typed, static_cast<int>(typed.size()), 0};
    }
    bool XAllSelected() const {
        const auto& x = field(Field::X);
        return x.selectionStart == 0 && x.selectionLength == static_cast<int>(x.text.size());
    }

    std::string FieldText(Field f) const override { return field(f).text; }
    void SetFieldText(Field f, const std::string& t) override {
        // A replaced text leaves the caret at its end, as a line edit does.
        field(f) = {t, static_cast<int>(t.size()), 0};
    }
    int SelectionStart(Field f) const override { return field(f).selectionStart; }
    int SelectionLength(Field f) const override { return field(f).selectionLength; }
    void SetCaret(Field f, int position) override {
        auto& s = field(f);
        s.selectionStart = std::clamp(position, 0, static_cast<int>(s.text.size()));
        s.selectionLength = 0;
    }
    void Deselect(Field f) override {
        // The caret of a selection made by select-all stands at its end.
        auto& s = field(f);
        s.selectionStart += s.selectionLength;
        s.selectionLength = 0;
    }
    void FocusX() override {
        ++focusRequests;
        xFocused = true;
    }
    void SelectAllX() override {
        auto& s = field(Field::X);
        s.selectionStart = 0;
        s.selectionLength = static_cast<int>(s.text.size());
    }
    void ShowAngleMode(const char* caption) override { angleModeCaption = caption; }
    void Beep() override { ++beeps; }
};

}  // namespace rpn::testing
