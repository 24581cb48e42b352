// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frame_position.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <vector>

#include "desktop/rules/window_placement.h"
#include "desktop/x11_frame.h"

namespace rpn::ui {

namespace {

using Clock = std::chrono::steady_clock;

// How long a window manager is given to carry out a move before it is checked, and how often
// it is asked.
constexpr std::chrono::milliseconds kWindowManagerDelay{150};

desktop::ScreenPoint Corner(rpn::WindowPosition position) {
    return {position.left, position.top};
}

rpn::WindowPosition PositionAt(desktop::ScreenPoint corner) {
    return {corner.y, corner.x};
}

desktop::ScreenRect DeviceRect(const QScreen& screen) {
    const QRect logical = screen.geometry();
    const double ratio = screen.devicePixelRatio();
    return {logical.left(), logical.top(), desktop::ScreenLengthToDevice(logical.width(), ratio),
            desktop::ScreenLengthToDevice(logical.height(), ratio)};
}

std::vector<desktop::ScreenRect> DeviceRects(const QList<QScreen*>& screens) {
    std::vector<desktop::ScreenRect> rects;
    for (const QScreen* screen : screens) {
        rects.push_back(DeviceRect(*screen));
    }
    return rects;
}

// The screen that a point in screen pixels lies on; the primary screen for one on none.
const QScreen* ScreenAtDevicePoint(int x, int y) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto holding = desktop::ScreenHolding(DeviceRects(screens), {x, y});
    return holding ? screens[static_cast<qsizetype>(*holding)] : QGuiApplication::primaryScreen();
}

QPoint ToLogical(rpn::WindowPosition position) {
    const QScreen* screen = ScreenAtDevicePoint(position.left, position.top);
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return {desktop::DeviceToLogical(position.left, origin.x(), ratio),
            desktop::DeviceToLogical(position.top, origin.y(), ratio)};
}

rpn::WindowPosition ToDevice(QPoint logical) {
    const QScreen* screen = QGuiApplication::screenAt(logical);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    return {desktop::LogicalToDevice(logical.y(), origin.y(), ratio),
            desktop::LogicalToDevice(logical.x(), origin.x(), ratio)};
}

}  // namespace

FramePlacer::FramePlacer(QWidget& window)
    : QObject(&window), window_(window), settle_(new QTimer(this)), restoring_(new QTimer(this)) {
    window_.installEventFilter(this);
    settle_->setSingleShot(true);
    connect(settle_, &QTimer::timeout, this, [this] { JudgeSettling(); });
    restoring_->setInterval(kWindowManagerDelay);
    connect(restoring_, &QTimer::timeout, this, [this] { CheckRestored(); });
}

rpn::WindowPosition FramePlacer::Position() const {
    const QWindow* handle = window_.windowHandle();
    if (awaitingFrame_) {
        return asked_;
    }
    if (desktop::OnX11()) {
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

void FramePlacer::JudgeSettling() {
    if (!settling_.Due()) {
        return;
    }
    const Clock::time_point now = Clock::now();
    const auto normal = NormalFramePosition();
    if (const auto settled =
            settling_.Judge(normal ? std::optional(Corner(*normal)) : std::nullopt, now)) {
        lastSeen_ = PositionAt(*settled);
    } else if (const auto due = settling_.Due()) {
        // A timer may run out a little early.
        settle_->start(std::chrono::ceil<std::chrono::milliseconds>(*due - now));
    }
}

std::optional<rpn::WindowPosition> FramePlacer::NormalFramePosition() const {
    const QWindow* handle = window_.windowHandle();
    // A window at another size than its fixed one is on its way into a maximised or
    // fullscreen state, or out of it, whatever its state says yet.
    if (handle == nullptr || handle->size() != window_.minimumSize() ||
        desktop::X11FillsScreen(*handle)) {
        return std::nullopt;
    }
    const auto frame = desktop::X11FrameTopLeft(*handle);
    if (!frame) {
        return std::nullopt;
    }
    return rpn::WindowPosition{frame->y, frame->x};
}

void FramePlacer::KeepFrameThrough(const std::function<void()>& resize) {
    const QWindow* handle = window_.windowHandle();
    const auto before =
        !desktop::OnX11() || handle == nullptr || !handle->isExposed() || awaitingFrame_
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
    if (desktop::X11MoveFrame(*handle, retries_.Start(Corner(asked_)))) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    }
}

void FramePlacer::Restore() {
    settle_->stop();
    settling_.Cancel();
    const rpn::WindowPosition normal = moving_ || restoring_->isActive() ? asked_ : lastSeen_;
    MoveTo(normal);
    restoreWatch_.Start();
    restoring_->start();
}

void FramePlacer::CheckRestored() {
    const bool busy = moving_ || awaitingFrame_;
    const auto normal = busy ? std::nullopt : NormalFramePosition();
    switch (restoreWatch_.Check(busy, normal ? std::optional(Corner(*normal)) : std::nullopt,
                                Corner(asked_))) {
        case desktop::RestoreWatch::Step::Wait:
            break;
        case desktop::RestoreWatch::Step::MoveAgain:
            MoveFramedWindow();
            break;
        case desktop::RestoreWatch::Step::Stop:
            restoring_->stop();
            break;
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
    const QScreen* screen = ScreenAtDevicePoint(position.left, position.top);
    const double ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QWindow* handle = window_.windowHandle();
    // The size the window is to have: a window manager may not have given it yet.
    const QSize client =
        window_.minimumSize() == window_.maximumSize() ? window_.minimumSize() : window_.size();
    const QRect logicalFrame = window_.frameGeometry();
    const desktop::FrameExtents toolkit{
        desktop::LengthToDevice(logicalFrame.width() - window_.width(), ratio),
        desktop::LengthToDevice(logicalFrame.height() - window_.height(), ratio),
        handle ? desktop::LengthToDevice(handle->frameMargins().top(), ratio) : 0};
    const desktop::FramedWindow framed =
        desktop::FrameAround(Corner(position), desktop::LengthToDevice(client.width(), ratio),
                             desktop::LengthToDevice(client.height(), ratio),
                             handle ? desktop::X11FrameExtentsOf(*handle) : std::nullopt, toolkit);
    return PositionAt(desktop::ReachableFramePosition(DeviceRects(QGuiApplication::screens()),
                                                      framed.frame, framed.titleHeight));
}

void FramePlacer::MoveTo(rpn::WindowPosition position) {
    toBeReached_ = false;
    asked_ = position;
    lastSeen_ = position;
    const QWindow* handle = window_.windowHandle();
    if (handle && handle->isExposed() && desktop::OnX11()) {
        awaitingFrame_ = false;
        MoveFramedWindow();
        return;
    }
    if (!desktop::OnX11()) {
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
    const auto frame = desktop::X11FrameTopLeft(*handle);
    moving_ = false;
    if (frame && *frame == Corner(asked_) && handle->size() == window_.minimumSize()) {
        return;
    }
    if (desktop::X11MoveFrame(*handle, retries_.Start(Corner(asked_)))) {
        moving_ = true;
        QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
    } else {
        window_.move(ToLogical(asked_));
    }
}

void FramePlacer::CheckFrameMoved() {
    const QWindow* handle = window_.windowHandle();
    const auto frame = handle ? desktop::X11FrameTopLeft(*handle) : std::nullopt;
    if (!moving_ || !frame || *frame == Corner(asked_)) {
        moving_ = false;
        return;
    }
    const desktop::MoveRetries::Next next = retries_.Missed(*frame, Corner(asked_));
    if (next.step == desktop::MoveRetries::Next::Step::GiveUp) {
        moving_ = false;
        if (const auto normal = NormalFramePosition()) {
            lastSeen_ = *normal;
        }
        return;
    }
    desktop::X11MoveFrame(*handle, next.request);
    QTimer::singleShot(kWindowManagerDelay, this, [this] { CheckFrameMoved(); });
}

bool FramePlacer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Move && desktop::OnX11() &&
        !awaitingFrame_ && !moving_ && !restoring_->isActive()) {
        const auto normal = NormalFramePosition();
        settling_.Moved(normal ? std::optional(Corner(*normal)) : std::nullopt, Clock::now());
        if (normal) {
            settle_->start(desktop::MoveSettling::kSettleTime);
        }
    }
    if (watched == &window_ && event->type() == QEvent::Show && !watchingHandle_ &&
        window_.windowHandle()) {
        watchingHandle_ = true;
        window_.windowHandle()->installEventFilter(this);
    } else if (watched == window_.windowHandle() && event->type() == QEvent::Expose &&
               awaitingFrame_ && window_.windowHandle()->isExposed()) {
        awaitingFrame_ = false;
        if (desktop::OnX11()) {
            MoveFramedWindow();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace rpn::ui
