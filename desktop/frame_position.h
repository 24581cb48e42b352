// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "desktop/placed_window.h"
#include "desktop/rules/geometry_place.h"
#include "desktop/rules/move_retries.h"
#include "desktop/rules/move_settling.h"
#include "desktop/rules/restore_watch.h"
#include "desktop/rules/screen_geometry.h"
#include "desktop/rules/window_placement.h"

class QTimer;

namespace rpn::desktop {

// Places a top-level window by the outer top-left corner of its frame (title bar and border
// included), in screen pixels, which is what the session file keeps. The window manager draws
// the frame only once the window is mapped, so a position asked for earlier puts the client
// area there first, and the frame is moved to the asked position as soon as it exists.
class FramePlacer : public QObject {
    Q_OBJECT
  public:
    // Lives as long as `window`, as a child of its object.
    explicit FramePlacer(std::unique_ptr<PlacedWindow> window);

    // Where the frame stands; where it was asked to go while it is on its way there.
    ScreenPoint Position() const;
    // Puts the frame at `position`, or into the nearest screen when that would leave no part
    // of the title bar on any screen.
    void Place(ScreenPoint position);
    // Places the frame where an X geometry says (an offset from the desktop's right or bottom
    // edge counts with the frame's size), judged again with the frame's true size once the
    // window manager has framed the window.
    void PlaceByGeometry(const GeometryPlace& place);
    // Where PlaceByGeometry puts the frame, counted with the frame as it is now.
    ScreenPoint PlacedByGeometry(const GeometryPlace& place) const;
    // Puts the frame at `position` as it is: a designed position, kept until the first showing
    // replaces it.
    void MoveTo(ScreenPoint position);
    // Runs `resize`, a change of the window's size, with the frame's top-left corner kept
    // where it is in screen pixels. The toolkit asks for the new size at a position of its
    // own, converted from screen pixels into its logical ones and back, which at a fractional
    // scale is a pixel off now and then: the window would walk a pixel at every view toggle.
    void KeepFrameThrough(const std::function<void()>& resize);
    // Puts the frame back where it stood last in the window's normal state, after a window
    // manager maximised it or made it fullscreen.
    void Restore();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MoveFramedWindow();
    // The frame around the window with its corner at `position`, as far as it is known.
    FramedWindow FramedAt(ScreenPoint position) const;
    // `position`, or the nearest one from which the window can be reached.
    ScreenPoint Reachable(ScreenPoint position) const;
    // The frame's corner for `place`.
    ScreenPoint CornerOf(const GeometryPlace& place) const;
    void CheckFrameMoved();
    // Counts a corner given from the desktop's far edges again with the finished frame.
    void RecountGeometry();
    // Moves the frame back where it belongs until it has stood there a moment.
    void CheckRestored();
    // Takes the place that the frame was moved to as its normal one once it has settled there.
    void JudgeSettling();
    // Gives a window of fixed size that size back where it stands, when the window manager
    // left it at another outside a maximised or fullscreen state.
    void KeepFixedSize();
    // Where the frame stands, when the window is in its normal state.
    std::optional<ScreenPoint> NormalFramePosition() const;

    std::unique_ptr<PlacedWindow> window_;
    bool watchingHandle_ = false;
    ScreenPoint asked_;
    // Where the frame stood last in the normal state, for a window that is hidden now, or
    // that the window manager has blown up to the screen.
    ScreenPoint lastSeen_;
    // Asked for before the window was framed: the frame goes there once it exists.
    bool awaitingFrame_ = false;
    // Asked for by Place before the window was framed: judged again with the frame.
    bool toBeReached_ = false;
    ScreenPoint placed_;
    // Asked for by PlaceByGeometry with an offset from the desktop's right or bottom edge: the
    // corner is counted again with the frame as the window manager finishes it.
    std::optional<GeometryPlace> geometry_;
    int geometryRecounts_ = 0;
    // A place that the user or the window manager moved the frame to, taken as its normal one
    // once it has stood there a moment: some managers move a window to the screen's corner
    // first and tell that it is fullscreen only after.
    MoveSettling settling_;
    QTimer* settle_;
    // Running while a window put back from a maximised or fullscreen state is on its way back.
    QTimer* restoring_;
    RestoreWatch restoreWatch_;
    // Asked of the window manager, not yet seen done.
    mutable bool moving_ = false;
    // What the window manager was asked, and how often for this position.
    MoveRetries retries_;
};

}  // namespace rpn::desktop
