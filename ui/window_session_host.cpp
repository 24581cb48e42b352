// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_session_host.h"

#include <QString>

#include "desktop/frame_position.h"
#include "ui/message_boxes.h"
#include "ui/placed_widget.h"

namespace rpn::ui {

WindowSessionHost::WindowSessionHost(QWidget& window, desktop::FramePlacer& placer,
                                     MessageBoxes& boxes,
                                     std::optional<desktop::GeometryPlace> position)
    : window_(window), placer_(placer), boxes_(boxes), explicitPosition_(position) {}

WindowPosition WindowSessionHost::MainWindowPosition() const {
    const desktop::ScreenPoint standing = placer_.Position();
    // The session keeps its own place through a run placed from the command line, so that
    // the next run without a position opens where the user left the window before; unless
    // the user has moved the window during this run, which is a place of the user's own.
    if (keptPosition_ && explicitPosition_ &&
        standing == placer_.PlacedByGeometry(*explicitPosition_)) {
        return *keptPosition_;
    }
    return PositionOf(standing);
}

void WindowSessionHost::MoveMainWindow(WindowPosition position) {
    // A position given on the command line holds for this run, over the saved one.
    if (explicitPosition_) {
        keptPosition_ = position;
        placer_.PlaceByGeometry(*explicitPosition_);
    } else {
        placer_.Place(FrameCorner(position));
    }
}

void WindowSessionHost::ShowErrorBox(const std::string& message) {
    boxes_.ShowStop(&window_, QStringLiteral("Error"), QString::fromLocal8Bit(message));
}

}  // namespace rpn::ui
