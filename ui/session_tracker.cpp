// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/session_tracker.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace rpn::ui {

SessionTracker::SessionTracker(QWidget* mainWindow, rpn::SessionSnapshot& snapshot, Preview preview,
                               PositionOf mainPosition, PositionOf keypadPosition)
    : QObject(mainWindow),
      mainWindow_(mainWindow),
      snapshot_(snapshot),
      preview_(std::move(preview)),
      mainPosition_(std::move(mainPosition)),
      keypadPosition_(std::move(keypadPosition)) {
    mainWindow_->installEventFilter(this);
}

void SessionTracker::Start() {
    started_ = true;
    main_ = mainPosition_();
    keypadAt_ = keypadPosition_();
    Refresh();
}

void SessionTracker::WatchKeypad(QWidget* keypad) {
    keypad_ = keypad;
    keypad_->installEventFilter(this);
}

void SessionTracker::Refresh() {
    if (started_) {
        snapshot_.Update(preview_(main_, keypadAt_));
    }
}

bool SessionTracker::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!started_ || (type != QEvent::Move && type != QEvent::Show && type != QEvent::Hide)) {
        return false;
    }
    mainMoved_ = mainMoved_ || watched == mainWindow_;
    keypadMoved_ = keypadMoved_ || watched == keypad_;
    // Read from the event loop: once for all the moves of a drag, and never from a window's
    // destruction, which hides it.
    if (!readScheduled_) {
        readScheduled_ = true;
        QTimer::singleShot(0, this, [this] { ReadMovedPositions(); });
    }
    return false;
}

void SessionTracker::ReadMovedPositions() {
    readScheduled_ = false;
    if (mainMoved_) {
        main_ = mainPosition_();
    }
    if (keypadMoved_) {
        keypadAt_ = keypadPosition_();
    }
    mainMoved_ = false;
    keypadMoved_ = false;
    Refresh();
}

}  // namespace rpn::ui
