// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

#include "session/session_data.h"
#include "session/session_snapshot.h"

class QWidget;

namespace rpn::ui {

// Keeps the session snapshot current, so that the session can be written while the window
// cannot answer: the registers and the X entry after every change, the two windows'
// positions whenever a window moves, shows or hides. Positions cost a round trip to the
// display, so a keystroke re-uses the last ones read.
class SessionTracker : public QObject {
  public:
    // The session as a save would write it, with the given window positions.
    using Preview =
        std::function<rpn::SessionData(rpn::WindowPosition window, rpn::WindowPosition keypad)>;
    using PositionOf = std::function<rpn::WindowPosition()>;

    SessionTracker(QWidget* mainWindow, rpn::SessionSnapshot& snapshot, Preview preview,
                   PositionOf mainPosition, PositionOf keypadPosition);

    // From the first showing on, once the session has been loaded: reads both positions.
    void Start();
    // The keypad window, whose moves are watched from now on.
    void WatchKeypad(QWidget* keypad);
    // Takes the registers and the entry as they are now.
    void Refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ReadMovedPositions();

    QWidget* mainWindow_;
    QWidget* keypad_ = nullptr;
    rpn::SessionSnapshot& snapshot_;
    Preview preview_;
    PositionOf mainPosition_;
    PositionOf keypadPosition_;
    bool started_ = false;
    bool readScheduled_ = false;
    bool mainMoved_ = false;
    bool keypadMoved_ = false;
    rpn::WindowPosition main_;
    rpn::WindowPosition keypadAt_;
};

}  // namespace rpn::ui
