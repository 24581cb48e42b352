// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;
class QWindow;

namespace rpn::ui {

// Which changes of the keyboard focus make the main window active again. A return from
// another of the calculator's windows runs the becoming-active step (X focused, all of it
// selected); a return from another program, or from the help viewer, which stands for one,
// does not. The keypad never takes the keyboard: from a window manager that gives it the
// focus all the same, the main window takes it straight back.
class WindowFocusRules {
  public:
    struct Windows {
        QWidget& main;
        // The keypad and the help viewer; null while they do not exist.
        std::function<QWidget*()> keypad;
        std::function<QWidget*()> help;
    };

    WindowFocusRules(Windows windows, std::function<void()> becomeActive);

    // The application's focus window changed to `focusWindow` (null: another program's).
    void FocusWindowChanged(QWindow* focusWindow);
    // The X field has just taken the focus within the main window: the keyboard comes back
    // to it, and a return from another window of the calculator runs its step now, before
    // the caller goes on.
    void XFocused();

  private:
    bool IsKeypad(const QWindow* window) const;
    bool IsHelp(const QWindow* window) const;

    Windows windows_;
    std::function<void()> becomeActive_;
    bool activatedOnce_ = false;
    bool focusCameFromOurWindow_ = false;
    bool activationAlreadyHandled_ = false;
};

}  // namespace rpn::ui
