// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QObject;
class QWindow;

namespace rpn::desktop {

// The toolkit's side of a top-level window that a FramePlacer places, in the toolkit's logical
// pixels. A window is placed before it has a native window, which the toolkit makes only when
// it first shows it; until then the toolkit keeps the asked geometry itself.
class PlacedWindow {
  public:
    virtual ~PlacedWindow() = default;

    // The object that receives the window's Move and Show events; it outlives the placer.
    virtual QObject& Object() = 0;
    // The native window; null before the toolkit has made it.
    virtual QWindow* Handle() const = 0;
    virtual QSize Size() const = 0;
    virtual QSize MinimumSize() const = 0;
    virtual QSize MaximumSize() const = 0;
    // The frame as the toolkit guesses it.
    virtual QRect FrameGeometry() const = 0;
    // The client area's top-left corner.
    virtual QPoint Position() const = 0;
    virtual void Move(QPoint topLeft) = 0;
    virtual void SetGeometry(QRect geometry) = 0;
};

}  // namespace rpn::desktop
