#pragma once

#include <QWidget>
#include <functional>

#include "session/session_data.h"

namespace rpn::ui {

class FramePlacer;

// Whether the keypad window is up, and where it stands; owned by the main window, kept in the
// session file.
struct KeypadState {
    bool KeypadShown = false;
    rpn::WindowPosition KeypadPos;
};

// The floating keypad window.
class KeypadWindow : public QWidget {
    Q_OBJECT
  public:
    // Designed at 120 pixels per inch; `scale` is the main window's layout factor.
    KeypadWindow(KeypadState& keypad, double scale, QWidget* owner);

    // Its current top and left edge.
    rpn::WindowPosition Position() const;

    // Puts the twelve keys on the window, each typing its character through `typeKey`;
    // a character typed while the window is active goes to `appendKey`.
    void ConnectKeys(const std::function<void(char)>& typeKey, std::function<void(char)> appendKey);

    // Stands where the session put it, or where it was when it closed.
    void PlaceOnShow();
    // Records that it is down, and where it stood.
    void RecordOnClose();
    // A character typed while the keypad is the active window.
    void AppendTypedKey(char key);

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    KeypadState& keypad_;
    double scale_;
    FramePlacer* placer_;
    std::function<void(char)> appendKey_;
};

}  // namespace rpn::ui
