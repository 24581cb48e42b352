// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace rpn::desktop {
class FramePlacer;
}  // namespace rpn::desktop

namespace rpn::ui {

// Keeps a fixed-size window in its normal state. Window managers offer maximise and
// fullscreen to every window (some whatever its size hints say): either would blow the
// window up to the screen, show what its view hides, and leave it at the screen's corner.
// The request is undone at once: the window goes back to its own size, and its frame to where
// it stood.
class NormalStateKeeper : public QObject {
    Q_OBJECT
  public:
    NormalStateKeeper(QWidget& window, desktop::FramePlacer& placer);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Restore();

    QWidget& window_;
    desktop::FramePlacer& placer_;
};

}  // namespace rpn::ui
