// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

#include "session/session_data.h"

class QKeyEvent;

namespace rpn::desktop {
class FramePlacer;
}  // namespace rpn::desktop

namespace rpn::ui {

// Whether the keypad window is up, and where it stands; owned by the main window, kept in the
// session file.
struct KeypadState {
    bool KeypadShown = false;
    rpn::WindowPosition KeypadPos;
};

// The floating keypad window. Like an on-screen keyboard it never takes the keyboard: its keys
// type into the main window's X field, and the keyboard stays there.
class KeypadWindow : public QWidget {
    Q_OBJECT
  public:
    // Designed at 120 pixels per inch; `scale` is the main window's layout factor.
    KeypadWindow(KeypadState& keypad, double scale, QWidget* owner);

    // Its current top and left edge.
    rpn::WindowPosition Position() const;

    // Puts the twelve keys on the window, each typing its character through `typeKey`. A key
    // of the keyboard that still reaches the window (a window manager that gives it the focus
    // all the same) goes to `strayKey`, pressed and released.
    void ConnectKeys(const std::function<void(char)>& typeKey,
                     std::function<void(QKeyEvent&)> strayKey);
    // `minimised` runs after the window manager minimised the keypad and it was put away.
    void OnMinimised(std::function<void()> minimised);

    // Comes up at its place, above the main window.
    void ShowAtItsPlace();
    // Stands where the session put it, or where it was when it closed.
    void PlaceOnShow();
    // Records that it is down and where it stood, and hides it. The window itself lives as
    // long as the program.
    void PutAway();
    // Above the main window and above ordinary windows, after it came up or the main window
    // changed its level.
    void KeepAbove();

    void setVisible(bool visible) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool hintsWritten_ = false;
    // Down while the main window is minimised, and up again with it.
    void FollowOwnerState();

    KeypadState& keypad_;
    double scale_;
    desktop::FramePlacer* placer_;
    std::function<void(QKeyEvent&)> strayKey_;
    std::function<void()> minimised_;
    // Mapped without the main window as its owner, while the main window is not on top.
    bool standsAlone_ = false;
    // Taken down to be mapped again as the main window's transient.
    bool remapping_ = false;
    // Taken down because the main window was minimised.
    bool downWithOwner_ = false;
};

}  // namespace rpn::ui
