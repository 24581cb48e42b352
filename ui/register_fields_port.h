// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>

#include "engine/window_port.h"

class QLabel;

namespace rpn::ui {

class RegisterEdit;

// What the calculator asks of the window beyond its fields; the window answers these itself.
struct WindowReactions {
    // Called after the X field has taken the focus within its window.
    std::function<void()> xFocused;
    std::function<void()> beep;
};

// The calculator's view of the main window: the four register fields and the angle mode
// label, read and written as the engine sees them.
class RegisterFieldsPort : public rpn::WindowPort {
  public:
    explicit RegisterFieldsPort(WindowReactions reactions);

    // The widgets, once the window has built them; nothing is asked of the port before.
    void Bind(const std::array<RegisterEdit*, 4>& edits, QLabel* angleMode);
    RegisterEdit* Edit(rpn::Field field) const;

    std::string FieldText(rpn::Field field) const override;
    void SetFieldText(rpn::Field field, const std::string& text) override;
    int SelectionStart(rpn::Field field) const override;
    int SelectionLength(rpn::Field field) const override;
    void SetCaret(rpn::Field field, int position) override;
    void Deselect(rpn::Field field) override;
    void FocusX() override;
    void SelectAllX() override;
    void ShowAngleMode(const char* caption) override;
    void Beep() override;

  private:
    WindowReactions reactions_;
    std::array<RegisterEdit*, 4> edits_ = {};
    QLabel* angleMode_ = nullptr;
};

}  // namespace rpn::ui
