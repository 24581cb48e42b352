#pragma once

#include <QWidget>

#include "app/session.h"

namespace rpn::ui {

// Whether the keypad window is up, and where it stands; owned by the main window, kept in the
// session file.
struct KeypadState {
    bool KeypadShown = false;
    rpn::WindowPosition KeypadPos;
};

// The floating keypad window.
class TKeysF : public QWidget {
    Q_OBJECT
  public:
    // Designed at 120 pixels per inch; `scale` is the main window's layout factor.
    TKeysF(KeypadState& keypad, double scale, QWidget* owner);

    // Its current top and left edge.
    rpn::WindowPosition Position() const;

    void FormShow();
    void FormClose();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    KeypadState& keypad_;
};

}  // namespace rpn::ui
