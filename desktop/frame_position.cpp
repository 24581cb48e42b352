// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/frame_position.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <utility>
#include <vector>

#include "desktop/x11_frame.h"

namespace rpn::desktop {

namespace {

using Clock = std::chrono::steady_clock;

// How long a window manager is given to carry out a move before it is checked, and how often
// it is asked.
constexpr std::chrono::milliseconds kWindowManagerDelay{150};
// How often a corner counted from the desktop's far edges is counted again with the frame as
// the window manager has finished it.
constexpr int kMostGeometryRecounts = 3;

ScreenRect DeviceRect(const QScreen& screen) {
    const QRect logical = screen.geometry();
    const double ratio = screen.devicePixelRatio();
    return {logical.left(), logical.top(), ScreenLengthToDevice(logical.width(), ratio),
            ScreenLengthToDevice(logical.height(), ratio)};
}

std::vector<ScreenRect> DeviceRects(const QList<QScreen*>& screens) {
    std::vector<ScreenRect> rects;
    for (const QScreen* screen : screens) {
        rects.push_back(DeviceRect(*screen));
    }
    return rects;
}

// The screen that a point in screen pixels lies on; the primary screen for one on none.
const QScreen* ScreenAtDevicePoint(int x, int y) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto holding = ScreenHolding(DeviceRects(screens), {x, y});
    return holding ? screens[static_cast<qsizetype>(*holding)] : QGuiApplication::primaryScreen();
}

QPoint ToLogical(ScreenPoint position) {
    const QScreen* screen = ScreenAtDevicePoint(position.x, position.y);
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return {DeviceToLogical(position.x, origin.x(), ratio),
            DeviceToLogical(position.y, origin.y(), ratio)};
}

ScreenPoint ToDevice(QPoint logical) {
    const QScreen* screen = QGuiApplication::screenAt(logical);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return {LogicalToDevice(logical.x(), origin.x(), ratio),
            LogicalToDevice(logical.y(), origin.y(), ratio)};
}

}  // namespace

FramePlacer::FramePlacer(std::unique_ptr<PlacedWindow> window)
    : QObject(&window->Object()),
      window_(std::move(window)),
      settle_(new QTimer(this)),
      restoring_(new QTimer(this)) {
    window_->Object().installEventFilter(this);
    settle_->setSingleShot(true);
    connect(settle_, &QTimer::timeout, this, [this] { JudgeSettling(); });
    restoring_->setInterval(kWindowManagerDelay);
    connect(restoring_, &QTimer::timeout, this, [this] { CheckRestored(); });
}

ScreenPoint FramePlacer::Position() const {
    const QWindow* handle = window_->Handle();
    if (awaitingFrame_) {
        return asked_;
    }
    if (OnX11()) {
        const auto normal = NormalFramePosition();
        if (!normal) {
            return lastSeen_;
        }
        const ScreenPoint seen = *normal;
        if ((moving_ || restoring_->isActive()) && !(seen == asked_)) {
            return asked_;
        }
        moving_ = false;
        // Not yet taken as the normal place: it may be a window manager's first step into a
        // maximised or fullscreen state.
        return seen;
    }
    // Elsewhere the toolkit's account of the frame is all there is.
    const QPoint logical = handle ? handle->framePosition() : window_->Position();
    return logical == ToLogical(asked_) ? asked_ : ToDevice(logical);
}

void FramePlacer::JudgeSettling() {
    if (!settling_.Due()) {
        return;
    }
    const Clock::time_point now = Clock::now();
    const auto normal = NormalFramePosition();
    if (const auto settled = settling_.Judge(normal, now)) {
        lastSeen_ = *settled;
    } else if (const auto due = settling_.Due()) {
        // A timer may run out a little early.
        settle_->start(std::chrono::ceil<std::chrono::milliseconds>(*due - now));
    }
}

std::optional<ScreenPoint> FramePlacer::NormalFramePosition() const {
    const QWindow* handle = window_->Handle();
    // A window at another size than its fixed one is on its way into a maximised or
    // fullscreen state, or out of it, whatever its state says yet.
    if (handle == nullptr || handle->size() != window_->MinimumSize() || X11FillsScreen(*handle)) {
        return std::nullopt;
    }
    return X11FrameTopLeft(*handle);
}

void FramePlacer::KeepFrameThrough(const std::function<void()>& resize) {
    const QWindow* handle = window_->Handle();
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
    if (X11MoveFrame(*handle, retries_.Start(asked_))) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    }
}

void FramePlacer::Restore() {
    settle_->stop();
    settling_.Cancel();
    const ScreenPoint normal = moving_ || restoring_->isActive() ? asked_ : lastSeen_;
    MoveTo(normal);
    restoreWatch_.Start();
    restoring_->start();
}

void FramePlacer::CheckRestored() {
    const bool busy = moving_ || awaitingFrame_;
    const auto normal = busy ? std::nullopt : NormalFramePosition();
    switch (restoreWatch_.Check(busy, normal, asked_)) {
        case RestoreWatch::Step::Wait:
            break;
        case RestoreWatch::Step::MoveAgain:
            MoveFramedWindow();
            break;
        case RestoreWatch::Step::Stop:
            restoring_->stop();
            break;
    }
}

void FramePlacer::Place(ScreenPoint position) {
    MoveTo(Reachable(position));
    // Judged again once the window manager has framed the window: only then is the frame's
    // true size known, and a frame pulled in by a guess at it would stick out.
    toBeReached_ = awaitingFrame_;
    placed_ = position;
}

void FramePlacer::PlaceByGeometry(const GeometryPlace& place) {
    Place(CornerOf(place));
    if (place.fromRight || place.fromBottom) {
        geometry_ = place;
        geometryRecounts_ = 0;
    }
}

ScreenPoint FramePlacer::PlacedByGeometry(const GeometryPlace& place) const {
    return Reachable(CornerOf(place));
}

FramedWindow FramePlacer::FramedAt(ScreenPoint position) const {
    const QScreen* screen = ScreenAtDevicePoint(position.x, position.y);
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QWindow* handle = window_->Handle();
    // The size the window is to have: a window manager may not have given it yet.
    const QSize client =
        window_->MinimumSize() == window_->MaximumSize() ? window_->MinimumSize() : window_->Size();
    const QRect logicalFrame = window_->FrameGeometry();
    const FrameExtents toolkit{
        LengthToDevice(logicalFrame.width() - window_->Size().width(), ratio),
        LengthToDevice(logicalFrame.height() - window_->Size().height(), ratio),
        handle ? LengthToDevice(handle->frameMargins().top(), ratio) : 0};
    return FrameAround(position, LengthToDevice(client.width(), ratio),
                       LengthToDevice(client.height(), ratio),
                       handle ? X11FrameExtentsOf(*handle) : std::nullopt, toolkit);
}

ScreenPoint FramePlacer::Reachable(ScreenPoint position) const {
    const FramedWindow framed = FramedAt(position);
    return ReachableFramePosition(DeviceRects(QGuiApplication::screens()), framed.frame,
                                  framed.titleHeight);
}

ScreenPoint FramePlacer::CornerOf(const GeometryPlace& place) const {
    const ScreenRect desktop = DesktopAround(DeviceRects(QGuiApplication::screens()));
    const ScreenRect frame = FramedAt({desktop.left, desktop.top}).frame;
    return CornerFor(place, desktop, frame.width, frame.height);
}

void FramePlacer::MoveTo(ScreenPoint position) {
    toBeReached_ = false;
    geometry_.reset();
    asked_ = position;
    lastSeen_ = position;
    const QWindow* handle = window_->Handle();
    if (handle && handle->isExposed() && OnX11()) {
        awaitingFrame_ = false;
        MoveFramedWindow();
        return;
    }
    if (!OnX11()) {
        // Elsewhere the toolkit places the frame itself.
        awaitingFrame_ = false;
        window_->Move(ToLogical(position));
        return;
    }
    // A client-area position for now, which is the frame's too where no window manager
    // frames it.
    awaitingFrame_ = true;
    window_->SetGeometry(QRect(ToLogical(position), window_->Size()));
}

void FramePlacer::MoveFramedWindow() {
    const QWindow* handle = window_->Handle();
    if (toBeReached_) {
        toBeReached_ = false;
        if (geometry_) {
            placed_ = CornerOf(*geometry_);
        }
        asked_ = Reachable(placed_);
        lastSeen_ = asked_;
    }
    const auto frame = X11FrameTopLeft(*handle);
    moving_ = false;
    if (frame && *frame == asked_ && handle->size() == window_->MinimumSize()) {
        geometry_.reset();
        return;
    }
    if (X11MoveFrame(*handle, retries_.Start(asked_))) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    } else {
        window_->Move(ToLogical(asked_));
    }
}

void FramePlacer::CheckFrameMoved() {
    const QWindow* handle = window_->Handle();
    const auto frame = handle ? X11FrameTopLeft(*handle) : std::nullopt;
    if (moving_ && geometry_ && frame) {
        // Some managers finish the frame only after the first move (a bottom handle, a
        // thicker border): a corner counted from the far edges is counted again with it.
        const ScreenPoint corner = Reachable(CornerOf(*geometry_));
        if (!(corner == asked_) && geometryRecounts_ < kMostGeometryRecounts) {
            ++geometryRecounts_;
            asked_ = corner;
            lastSeen_ = corner;
            X11MoveFrame(*handle, retries_.Start(asked_));
            QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
            return;
        }
    }
    if (!moving_ || !frame || *frame == asked_) {
        moving_ = false;
        if (geometry_ && frame && geometryRecounts_ < kMostGeometryRecounts) {
            // Counted once more when the manager has had time to finish the frame.
            ++geometryRecounts_;
            QTimer::singleShot(MoveSettling::kSettleTime, this, [this] { RecountGeometry(); });
            return;
        }
        geometry_.reset();
        return;
    }
    const MoveRetries::Next next = retries_.Missed(*frame, asked_);
    if (next.step == MoveRetries::Next::Step::GiveUp) {
        moving_ = false;
        geometry_.reset();
        if (const auto normal = NormalFramePosition()) {
            lastSeen_ = *normal;
        }
        return;
    }
    X11MoveFrame(*handle, next.request);
    QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
}

void FramePlacer::RecountGeometry() {
    const QWindow* handle = window_->Handle();
    if (!geometry_ || moving_ || handle == nullptr) {
        return;
    }
    const ScreenPoint corner = Reachable(CornerOf(*geometry_));
    const auto frame = X11FrameTopLeft(*handle);
    if (corner == asked_ && frame && *frame == asked_) {
        geometry_.reset();
        return;
    }
    asked_ = corner;
    lastSeen_ = corner;
    if (X11MoveFrame(*handle, retries_.Start(asked_))) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    }
}

void FramePlacer::KeepFixedSize() {
    const QWindow* handle = window_->Handle();
    if (handle == nullptr || !handle->isExposed() || awaitingFrame_ || moving_ ||
        restoring_->isActive() || window_->MinimumSize() != window_->MaximumSize() ||
        handle->size() == window_->MinimumSize() || X11FillsScreen(*handle)) {
        return;
    }
    // The move request carries the fixed size; the frame stays where it stands, and that is
    // the window's place from now on.
    if (const auto frame = X11FrameTopLeft(*handle)) {
        MoveTo(*frame);
    }
}

bool FramePlacer::eventFilter(QObject* watched, QEvent* event) {
    // A window manager may carry out a move by a pager or a script with another size than
    // the fixed one (fluxbox adds its title bar's height) and never give the size back. The
    // first step into a maximised or fullscreen state looks the same until the state shows:
    // judged once the size has stood a moment.
    if (watched == &window_->Object() && event->type() == QEvent::Resize && OnX11()) {
        QTimer::singleShot(MoveSettling::kSettleTime, this, [this] { KeepFixedSize(); });
    }
    if (watched == &window_->Object() && event->type() == QEvent::Move && OnX11() &&
        !awaitingFrame_ && !moving_ && !restoring_->isActive()) {
        const auto normal = NormalFramePosition();
        settling_.Moved(normal, Clock::now());
        if (normal) {
            settle_->start(MoveSettling::kSettleTime);
        }
    }
    if (watched == &window_->Object() && event->type() == QEvent::Show && !watchingHandle_ &&
        window_->Handle()) {
        watchingHandle_ = true;
        window_->Handle()->installEventFilter(this);
    } else if (watched == window_->Handle() && event->type() == QEvent::Expose && awaitingFrame_ &&
               window_->Handle()->isExposed()) {
        awaitingFrame_ = false;
        if (OnX11()) {
            MoveFramedWindow();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace rpn::desktop
