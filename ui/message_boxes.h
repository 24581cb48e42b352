#pragma once

#include <QString>

class QWidget;

namespace rpn::ui {

// The modal error box: stop icon, one OK button. Returns when the user has closed it.
// Tests put their own in its place so that nothing waits for a click.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void ShowStop(QWidget* parent, const QString& caption, const QString& text) = 0;
};

// The real boxes, shown with QMessageBox.
MessageBoxes& SystemMessageBoxes();

}  // namespace rpn::ui
