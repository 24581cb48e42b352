#pragma once

#include <QLineEdit>

namespace rpn::ui {

// A register field: entering it does not select its text, and its selection survives the
// focus moving to another control, so the register the user marked stays marked.
class RegisterEdit : public QLineEdit {
    Q_OBJECT
  public:
    // Read-only from the start: the accessible tree describes a field once, when it is
    // first announced, and a field made read-only later would stay "editable" there.
    explicit RegisterEdit(QWidget* parent, bool readOnly = false);

  signals:
    // The field has received the input focus.
    void focusEntered();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace rpn::ui
