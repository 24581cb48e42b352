#pragma once

#include <QObject>
#include <optional>

#include "session/session_data.h"

class QWidget;

namespace rpn::ui {

// Places a top-level window by the outer top-left corner of its frame (title bar and border
// included), in screen pixels, which is what the session file keeps. The window manager draws
// the frame only once the window is mapped, so a position asked for earlier puts the client
// area there first, and the frame is moved to the asked position as soon as it exists.
class FramePlacer : public QObject {
    Q_OBJECT
  public:
    explicit FramePlacer(QWidget& window);

    // Where the frame stands; where it was asked to go while it is on its way there.
    rpn::WindowPosition Position() const;
    // Puts the frame at `position`, or into the nearest screen when that would leave no part
    // of the title bar on any screen.
    void Place(rpn::WindowPosition position);
    // Puts the frame at `position` as it is: a designed position, kept until the first showing
    // replaces it.
    void MoveTo(rpn::WindowPosition position);
    // Puts the frame back where it stood last in the window's normal state, after a window
    // manager maximised it or made it fullscreen.
    void Restore();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MoveFramedWindow();
    void CheckFrameMoved();
    // Where the frame stands, when the window is in its normal state.
    std::optional<rpn::WindowPosition> NormalFramePosition() const;

    QWidget& window_;
    bool watchingHandle_ = false;
    rpn::WindowPosition asked_;
    // Where the frame was seen last, for a window that is hidden now, or that the window
    // manager has blown up to the screen.
    mutable rpn::WindowPosition lastSeen_;
    // Asked for before the window was framed: the frame goes there once it exists.
    bool awaitingFrame_ = false;
    // Asked of the window manager, not yet seen done.
    mutable bool moving_ = false;
    // What the window manager was asked last, and how often for this position.
    rpn::WindowPosition requested_;
    int requests_ = 0;
};

}  // namespace rpn::ui
