// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/placed_widget.h"

#include <QWidget>
#include <memory>

namespace rpn::ui {

namespace {

class PlacedWidget : public desktop::PlacedWindow {
  public:
    explicit PlacedWidget(QWidget& widget) : widget_(widget) {}

    QObject& Object() override { return widget_; }
    QWindow* Handle() const override { return widget_.windowHandle(); }
    QSize Size() const override { return widget_.size(); }
    QSize MinimumSize() const override { return widget_.minimumSize(); }
    QSize MaximumSize() const override { return widget_.maximumSize(); }
    QRect FrameGeometry() const override { return widget_.frameGeometry(); }
    QPoint Position() const override { return widget_.pos(); }
    void Move(QPoint topLeft) override { widget_.move(topLeft); }
    void SetGeometry(QRect geometry) override { widget_.setGeometry(geometry); }

  private:
    QWidget& widget_;
};

}  // namespace

desktop::FramePlacer* NewFramePlacer(QWidget& window) {
    return new desktop::FramePlacer(std::make_unique<PlacedWidget>(window));
}

desktop::ScreenPoint FrameCorner(rpn::WindowPosition position) {
    return {position.left, position.top};
}

rpn::WindowPosition PositionOf(desktop::ScreenPoint corner) {
    return {corner.y, corner.x};
}

}  // namespace rpn::ui
