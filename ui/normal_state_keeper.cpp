// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/normal_state_keeper.h"

#include <QEvent>
#include <QWidget>

#include "desktop/frame_position.h"

namespace rpn::ui {

namespace {

constexpr Qt::WindowStates kScreenFilling = Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

NormalStateKeeper::NormalStateKeeper(QWidget& window, desktop::FramePlacer& placer)
    : QObject(&window), window_(window), placer_(placer) {
    window_.installEventFilter(this);
}

bool NormalStateKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
        (window_.windowState() & kScreenFilling)) {
        Restore();
    }
    return QObject::eventFilter(watched, event);
}

void NormalStateKeeper::Restore() {
    window_.setWindowState(window_.windowState() & ~kScreenFilling);
    // No resize of the toolkit's own: it would name the place the window has now, at the
    // screen's corner. Window managers put a window back each their own way (one puts the
    // client where the frame was); the frame's move request carries the fixed size.
    placer_.Restore();
}

}  // namespace rpn::ui
