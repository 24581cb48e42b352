// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace rpn::ui {

// The modal boxes: each returns when the user has closed it. Tests put their own in their
// place so that nothing waits for a click.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // The error box: stop icon, one OK button.
    virtual void ShowStop(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question with Yes and No, No the default; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
};

// The real boxes, shown with QMessageBox.
MessageBoxes& SystemMessageBoxes();

}  // namespace rpn::ui
