// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_focus_rules.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace rpn::ui {

namespace {

QWindow* HandleOf(QWidget* widget) {
    return widget ? widget->windowHandle() : nullptr;
}

}  // namespace

WindowFocusRules::WindowFocusRules(Windows windows, std::function<void()> becomeActive)
    : windows_(std::move(windows)), becomeActive_(std::move(becomeActive)) {}

bool WindowFocusRules::IsKeypad(const QWindow* window) const {
    return window != nullptr && window == HandleOf(windows_.keypad());
}

bool WindowFocusRules::IsHelp(const QWindow* window) const {
    return window != nullptr && window == HandleOf(windows_.help());
}

void WindowFocusRules::FocusWindowChanged(QWindow* focusWindow) {
    QWidget& main = windows_.main;
    if (IsKeypad(focusWindow)) {
        // As far as the entry is concerned the keyboard never left: its return is no
        // becoming active.
        if (main.isVisible()) {
            main.activateWindow();
        }
        return;
    }
    if (focusWindow == nullptr || focusWindow != main.windowHandle()) {
        focusCameFromOurWindow_ = focusWindow != nullptr && !IsHelp(focusWindow);
        return;
    }
    const bool runActivate = !activatedOnce_ || focusCameFromOurWindow_;
    activatedOnce_ = true;
    focusCameFromOurWindow_ = false;
    if (activationAlreadyHandled_) {
        activationAlreadyHandled_ = false;
        return;
    }
    if (runActivate) {
        becomeActive_();
    }
}

void WindowFocusRules::XFocused() {
    QWidget& main = windows_.main;
    QWindow* active = QGuiApplication::focusWindow();
    if (IsKeypad(active) && main.isVisible()) {
        // Back where the keyboard belongs, without a becoming-active step.
        main.activateWindow();
        return;
    }
    const bool fromOurWindow =
        main.isVisible() && active != nullptr && active != main.windowHandle() && !IsHelp(active);
    if (fromOurWindow) {
        // The window system reports the activation later; it must not run the step twice.
        activationAlreadyHandled_ = true;
        main.activateWindow();
        becomeActive_();
    }
}

}  // namespace rpn::ui
