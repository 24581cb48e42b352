// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frame_position.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <vector>

#include "ui/window_placement.h"
#include "ui/x11_frame.h"

namespace rpn::ui {

namespace {

// How much of a window's top must stay on a screen for its title bar to be reached, while the
// window manager has not said how high the title bar is.
constexpr int kAssumedTitleBarHeight = 20;

// How long a window manager is given to carry out a move before it is checked, and how often
// it is asked.
constexpr std::chrono::milliseconds kWindowManagerDelay{150};
constexpr int kMaxMoveRequests = 3;

// How long a frame must stand at a place it was moved to before that place counts as its
// normal one. Some window managers move a window to the screen's corner first and blow it up
// only after; on a busy machine the two steps lie well apart.
constexpr std::chrono::milliseconds kSettleTime{600};

// After a maximised or fullscreen window is put back: how many checks in a row must find the
// frame where it belongs before it counts as back, and after how many checks the window
// manager is left to its own way. A manager gives the frame its border and title bar back
// some time after it has given up the state, and a move asked for before that misses by them.
constexpr int kRestoredChecks = 4;
constexpr int kMaxRestoreChecks = 40;

int Device(int logical, double ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

// A screen's size in logical pixels is its device size divided and rounded: multiplied back,
// it may come out a pixel larger than the screen. Rounded down it never does, and a frame
// pulled into it stays whole on the screen.
int DeviceExtent(int logical, double ratio) {
    return static_cast<int>(std::floor(logical * ratio));
}

ScreenRect DeviceRect(const QScreen& screen) {
    const QRect logical = screen.geometry();
    const double ratio = screen.devicePixelRatio();
    return {logical.left(), logical.top(), DeviceExtent(logical.width(), ratio),
            DeviceExtent(logical.height(), ratio)};
}

bool Contains(const ScreenRect& rect, int x, int y) {
    return x >= rect.left && y >= rect.top && x - rect.left < rect.width &&
           y - rect.top < rect.height;
}

// The screen that a point in screen pixels lies on; the primary screen for one on none.
const QScreen* ScreenAtDevicePoint(int x, int y) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (Contains(DeviceRect(*screen), x, y)) {
            return screen;
        }
    }
    return QGuiApplication::primaryScreen();
}

QPoint ToLogical(rpn::WindowPosition position) {
    const QScreen* screen = ScreenAtDevicePoint(position.left, position.top);
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return {DeviceToLogical(position.left, origin.x(), ratio),
            DeviceToLogical(position.top, origin.y(), ratio)};
}

rpn::WindowPosition ToDevice(QPoint logical) {
    const QScreen* screen = QGuiApplication::screenAt(logical);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return {LogicalToDevice(logical.y(), origin.y(), ratio),
            LogicalToDevice(logical.x(), origin.x(), ratio)};
}

}  // namespace

FramePlacer::FramePlacer(QWidget& window)
    : QObject(&window), window_(window), settle_(new QTimer(this)), restoring_(new QTimer(this)) {
    window_.installEventFilter(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleTime);
    connect(settle_, &QTimer::timeout, this, [this] {
        if (movedTo_ && NormalFramePosition() == movedTo_) {
            lastSeen_ = *movedTo_;
        }
        movedTo_.reset();
    });
    restoring_->setInterval(kWindowManagerDelay);
    connect(restoring_, &QTimer::timeout, this, [this] { CheckRestored(); });
}

rpn::WindowPosition FramePlacer::Position() const {
    const QWindow* handle = window_.windowHandle();
    if (awaitingFrame_) {
        return asked_;
    }
    if (OnX11()) {
        const auto normal = NormalFramePosition();
        if (!normal) {
            return lastSeen_;
        }
        const rpn::WindowPosition seen = *normal;
        if ((moving_ || restoring_->isActive()) && !(seen == asked_)) {
            return asked_;
        }
        moving_ = false;
        // Not yet taken as the normal place: it may be a window manager's first step into a
        // maximised or fullscreen state.
        return seen;
    }
    // Elsewhere the toolkit's account of the frame is all there is.
    const QPoint logical = handle ? handle->framePosition() : window_.pos();
    return logical == ToLogical(asked_) ? asked_ : ToDevice(logical);
}

std::optional<rpn::WindowPosition> FramePlacer::NormalFramePosition() const {
    const QWindow* handle = window_.windowHandle();
    // A window at another size than its fixed one is on its way into a maximised or
    // fullscreen state, or out of it, whatever its state says yet.
    if (handle == nullptr || handle->size() != window_.minimumSize() || X11FillsScreen(*handle)) {
        return std::nullopt;
    }
    const auto frame = X11FrameTopLeft(*handle);
    if (!frame) {
        return std::nullopt;
    }
    return rpn::WindowPosition{frame->y, frame->x};
}

void FramePlacer::KeepFrameThrough(const std::function<void()>& resize) {
    const QWindow* handle = window_.windowHandle();
    const auto before = !OnX11() || handle == nullptr || !handle->isExposed() || awaitingFrame_
                            ? std::nullopt
                        : moving_ ? std::optional(asked_)
                                  : NormalFramePosition();
    resize();
    if (!before) {
        return;
    }
    // Asked for even though the frame still stands there: the window manager has yet to
    // carry out the toolkit's request, and this one comes after it.
    asked_ = *before;
    lastSeen_ = *before;
    requested_ = asked_;
    requests_ = 1;
    if (X11MoveFrame(*handle, {asked_.left, asked_.top})) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    }
}

void FramePlacer::Restore() {
    settle_->stop();
    movedTo_.reset();
    const rpn::WindowPosition normal = moving_ || restoring_->isActive() ? asked_ : lastSeen_;
    MoveTo(normal);
    restoreChecks_ = 0;
    checksAtPlace_ = 0;
    restoring_->start();
}

void FramePlacer::CheckRestored() {
    if (++restoreChecks_ > kMaxRestoreChecks) {
        restoring_->stop();
        return;
    }
    if (moving_ || awaitingFrame_) {
        return;
    }
    const auto normal = NormalFramePosition();
    if (!normal) {
        // Still on its way out of the state.
        checksAtPlace_ = 0;
    } else if (*normal == asked_) {
        if (++checksAtPlace_ >= kRestoredChecks) {
            restoring_->stop();
        }
    } else {
        checksAtPlace_ = 0;
        MoveFramedWindow();
    }
}

void FramePlacer::Place(rpn::WindowPosition position) {
    MoveTo(Reachable(position));
    // Judged again once the window manager has framed the window: only then is the frame's
    // true size known, and a frame pulled in by a guess at it would stick out.
    toBeReached_ = awaitingFrame_;
    placed_ = position;
}

rpn::WindowPosition FramePlacer::Reachable(rpn::WindowPosition position) const {
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(DeviceRect(*screen));
    }
    const QScreen* screen = ScreenAtDevicePoint(position.left, position.top);
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QWindow* handle = window_.windowHandle();
    // The size the window is to have: a window manager may not have given it yet.
    const QSize client =
        window_.minimumSize() == window_.maximumSize() ? window_.minimumSize() : window_.size();
    ScreenRect frame{position.left, position.top, Device(client.width(), ratio),
                     Device(client.height(), ratio)};
    int titleBar = 0;
    if (const auto extents = handle ? X11FrameExtentsOf(*handle) : std::nullopt) {
        frame.width += extents->across;
        frame.height += extents->down;
        titleBar = extents->top;
    } else {
        const QRect logical = window_.frameGeometry();
        frame.width += Device(logical.width() - window_.width(), ratio);
        frame.height += Device(logical.height() - window_.height(), ratio);
        titleBar = handle ? Device(handle->frameMargins().top(), ratio) : 0;
    }
    const ScreenPoint reachable =
        ReachableFramePosition(screens, frame, titleBar > 0 ? titleBar : kAssumedTitleBarHeight);
    return {reachable.y, reachable.x};
}

void FramePlacer::MoveTo(rpn::WindowPosition position) {
    toBeReached_ = false;
    asked_ = position;
    lastSeen_ = position;
    const QWindow* handle = window_.windowHandle();
    if (handle && handle->isExposed() && OnX11()) {
        awaitingFrame_ = false;
        MoveFramedWindow();
        return;
    }
    if (!OnX11()) {
        // Elsewhere the toolkit places the frame itself.
        awaitingFrame_ = false;
        window_.move(ToLogical(position));
        return;
    }
    // A client-area position for now, which is the frame's too where no window manager
    // frames it.
    awaitingFrame_ = true;
    window_.setGeometry(QRect(ToLogical(position), window_.size()));
}

void FramePlacer::MoveFramedWindow() {
    const QWindow* handle = window_.windowHandle();
    if (toBeReached_) {
        toBeReached_ = false;
        asked_ = Reachable(placed_);
        lastSeen_ = asked_;
    }
    const auto frame = X11FrameTopLeft(*handle);
    moving_ = false;
    if (frame && *frame == (X11Point{asked_.left, asked_.top}) &&
        handle->size() == window_.minimumSize()) {
        return;
    }
    requested_ = asked_;
    requests_ = 1;
    if (X11MoveFrame(*handle, {asked_.left, asked_.top})) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    } else {
        window_.move(ToLogical(asked_));
    }
}

void FramePlacer::CheckFrameMoved() {
    const QWindow* handle = window_.windowHandle();
    const auto frame = handle ? X11FrameTopLeft(*handle) : std::nullopt;
    if (!moving_ || !frame || *frame == (X11Point{asked_.left, asked_.top})) {
        moving_ = false;
        return;
    }
    if (requests_ >= kMaxMoveRequests) {
        // This window manager keeps the frame elsewhere: that is where it stands.
        moving_ = false;
        if (const auto normal = NormalFramePosition()) {
            lastSeen_ = *normal;
        }
        return;
    }
    // Some window managers take the corner asked for as the client area's (or ignore a
    // request for where the client already is): ask again, off by what the frame missed by.
    requested_ = {requested_.top + asked_.top - frame->y, requested_.left + asked_.left - frame->x};
    ++requests_;
    X11MoveFrame(*handle, {requested_.left, requested_.top});
    QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
}

bool FramePlacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Move && OnX11() && !awaitingFrame_ &&
        !moving_ && !restoring_->isActive()) {
        movedTo_ = NormalFramePosition();
        if (movedTo_) {
            settle_->start();
        }
    }
    if (watched == &window_ && event->type() == QEvent::Show && !watchingHandle_ &&
        window_.windowHandle()) {
        watchingHandle_ = true;
        window_.windowHandle()->installEventFilter(this);
    } else if (watched == window_.windowHandle() && event->type() == QEvent::Expose &&
               awaitingFrame_ && window_.windowHandle()->isExposed()) {
        awaitingFrame_ = false;
        if (OnX11()) {
            MoveFramedWindow();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace rpn::ui
