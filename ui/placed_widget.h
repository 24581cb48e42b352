// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/frame_position.h"
#include "desktop/rules/screen_geometry.h"
#include "session/session_data.h"

class QWidget;

namespace rpn::ui {

// A placer for the frame of the top-level `window`, a child of it.
desktop::FramePlacer* NewFramePlacer(QWidget& window);

// A window position as the session file keeps it, and the frame's corner it stands for.
desktop::ScreenPoint FrameCorner(rpn::WindowPosition position);
rpn::WindowPosition PositionOf(desktop::ScreenPoint corner);

}  // namespace rpn::ui
