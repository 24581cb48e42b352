// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keypad_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QWindow>
#include <utility>

#include "desktop/x11_fixed_size.h"
#include "desktop/x11_focus_model.h"
#include "desktop/x11_frame.h"
#include "desktop/x11_iconic.h"
#include "desktop/x11_owner.h"
#include "desktop/x11_taskbar.h"
#include "desktop/x11_window_level.h"
#include "desktop/x11_window_type.h"
#include "layout/keypad_layout.h"
#include "ui/keypad_buttons.h"
#include "ui/layout_scale.h"
#include "ui/placed_widget.h"

namespace rpn::ui {

namespace {

// Minimised by the user. The toolkit counts a window on a workspace that is not shown as
// minimised too when the window manager takes it off the screen (fluxbox): it is back with
// its workspace.
bool Minimised(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return window.isMinimized() && !(handle && desktop::X11OnWorkspaceNotShown(*handle));
}

}  // namespace

KeypadWindow::KeypadWindow(KeypadState& keypad, double scale, QWidget* owner)
    // A tool window with a close box only, that never takes the keyboard from the main
    // window: a window manager that focused it would send the next keystrokes to the keypad.
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      keypad_(keypad),
      scale_(scale),
      placer_(NewFramePlacer(*this)) {
    setObjectName(QStringLiteral("KeysF"));
    setWindowTitle(QStringLiteral("RPN KEYS"));
    setFixedSize(Scaled(kKeypadClientWidth, scale), Scaled(kKeypadClientHeight, scale));
    setAttribute(Qt::WA_ShowWithoutActivating);
    new desktop::X11FixedSize(
        this, [this] { return windowHandle(); }, [this] { placer_->Restore(); });
    // The designed position is in screen pixels: only what lies inside the window scales.
    placer_->MoveTo(FrameCorner({kKeypadDesignedTop, kKeypadDesignedLeft}));
    if (owner != nullptr) {
        owner->installEventFilter(this);
    }
}

rpn::WindowPosition KeypadWindow::Position() const {
    return PositionOf(placer_->Position());
}

void KeypadWindow::ConnectKeys(const std::function<void(char)>& typeKey,
                               std::function<void(QKeyEvent&)> strayKey) {
    AddKeypadButtons(this, scale_, typeKey);
    strayKey_ = std::move(strayKey);
}

void KeypadWindow::OnMinimised(std::function<void()> minimised) {
    minimised_ = std::move(minimised);
}

void KeypadWindow::ShowAtItsPlace() {
    // The toolkit maps it transient for the main window.
    show();
    standsAlone_ = false;
    KeepAbove();
}

void KeypadWindow::PlaceOnShow() {
    placer_->Place(FrameCorner(keypad_.KeypadPos));
}

void KeypadWindow::PutAway() {
    remapping_ = false;
    downWithOwner_ = false;
    keypad_.KeypadShown = false;
    keypad_.KeypadPos = Position();
    hide();
}

void KeypadWindow::KeepAbove() {
    QWindow* handle = windowHandle();
    if (!isVisible() || handle == nullptr) {
        return;
    }
    if (!desktop::OnX11()) {
        raise();
        return;
    }
    // Window managers keep a transient window on its owner's level. Above the main window on
    // top, the keypad is its transient and stays above it; with the main window among ordinary
    // windows, the keypad is a window of its own on the top level, above them all.
    const QWidget* owner = parentWidget();
    const bool ownerOnTop =
        owner != nullptr && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (!ownerOnTop && !standsAlone_) {
        desktop::X11SetOwner(*handle, nullptr);
        desktop::X11AskStaysOnTop(*handle);
        standsAlone_ = true;
    } else if (ownerOnTop && standsAlone_) {
        // Made transient again while mapped, a window can stay below its owner (icewm keeps
        // it in its lists above the owner, but not on the screen): mapped again, it is
        // transient from the start. It comes back where it stood once it is really down, so
        // that it is placed as at any other showing.
        keypad_.KeypadPos = Position();
        standsAlone_ = false;
        if (!handle->isExposed()) {
            hide();
            show();
            return;
        }
        remapping_ = true;
        handle->installEventFilter(this);
        hide();
        return;
    }
    raise();
}

void KeypadWindow::FollowOwnerState() {
    const QWidget* owner = parentWidget();
    // Window managers minimise a transient window with its owner, and bring it back with it;
    // the keypad on a window of its own goes down and comes back the same way.
    if (Minimised(*owner) && standsAlone_ && isVisible()) {
        keypad_.KeypadPos = Position();
        downWithOwner_ = true;
        hide();
    } else if (!owner->isMinimized() && downWithOwner_) {
        downWithOwner_ = false;
        ShowAtItsPlace();
    }
}

bool KeypadWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::WindowStateChange) {
        FollowOwnerState();
    }
    QWindow* handle = windowHandle();
    if (remapping_ && watched == handle && event->type() == QEvent::Expose &&
        !handle->isExposed()) {
        remapping_ = false;
        handle->removeEventFilter(this);
        show();
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

void KeypadWindow::setVisible(bool visible) {
    // No minimise offered: the keypad goes away only as if closed; and no window manager
    // hands it the keyboard. Both are read when the window is mapped, so they are written on
    // the native window before its first showing. Made by create(), not winId(): that would
    // mark the keypad native, and with it every control of both windows.
    if (visible && !hintsWritten_ && desktop::OnX11()) {
        hintsWritten_ = true;
        create();
        desktop::X11MarkAsToolbar(*windowHandle());
        desktop::X11WithdrawTakeFocus(*windowHandle());
    }
    // No taskbar button either, asked for at every mapping: the manager forgets it at every
    // unmapping. The hidden window is mapped by this very call.
    if (visible && !isVisible() && desktop::OnX11()) {
        desktop::X11KeepOffTaskbar(*windowHandle());
    }
    QWidget::setVisible(visible);
}

void KeypadWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        PlaceOnShow();
    }
}

void KeypadWindow::keyPressEvent(QKeyEvent* event) {
    if (strayKey_) {
        strayKey_(*event);
        return;
    }
    QWidget::keyPressEvent(event);
}

void KeypadWindow::keyReleaseEvent(QKeyEvent* event) {
    if (strayKey_) {
        strayKey_(*event);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void KeypadWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        InkKeypadGlyphs(*this);
    }
    // Minimised, the keypad is down as if closed, and one Keys click brings it back. Some
    // window managers minimise the owner of a transient window along with it.
    if (event->type() == QEvent::WindowStateChange && isVisible() && Minimised(*this)) {
        // Hidden in the normal state, so that the next showing maps it as it was.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        PutAway();
        if (minimised_) {
            minimised_();
        }
    }
}

void KeypadWindow::closeEvent(QCloseEvent* event) {
    PutAway();
    // An accepted close would destroy the native window, and the next showing would make
    // another one: the keypad is one window for the whole run.
    event->ignore();
}

}  // namespace rpn::ui
