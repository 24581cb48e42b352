// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "entry/entry_controller.h"
#include "layout/main_window_layout.h"

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace rpn::ui {

// Carries every key of the main window through the entry rules in the order a keystroke is
// defined to take: the window's key-down step, the window's character step, the X field's
// character handler, and only then the focused control's own processing; the release of a
// key in the X field goes to its key-up handler. Qt delivers key-down and character as one
// event, so the order lives here, in one place. The controls' keys take the same road: a
// control key runs its control's action once per press, whichever control has the focus.
class KeyboardRouter : public QObject {
    Q_OBJECT
  public:
    // Each key runs as one user action through `runAction`, which reports a fault that ends it.
    using ActionRunner = std::function<void(const std::function<void()>&)>;
    // Runs what a click on a control runs.
    using ControlRunner = std::function<void(const ControlAction&)>;
    // Shows the user how an operation that a key ran ended.
    using OutcomePresenter = std::function<void(Outcome)>;

    // The X field's own paste: `readPaste` gives the clipboard's text, or nothing once it has
    // answered a refusal; `insertPaste` puts a text in place of the field's selection.
    struct FieldPaste {
        std::function<std::optional<std::string>()> readPaste;
        std::function<void(const std::string&)> insertPaste;
    };

    KeyboardRouter(QWidget* window, QLineEdit* editX, rpn::EntryController& entry,
                   ActionRunner runAction, ControlRunner runControl, OutcomePresenter present,
                   FieldPaste fieldPaste);

    // Routes the keys of the window and of every control on it.
    void Install();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True when the event is consumed.
    bool KeyPressed(QWidget* target, QKeyEvent& event, bool repeated);
    bool KeyReleased(QKeyEvent& event);
    // Notes a press or release; true for a press of a key that is down already, which the
    // window system repeats while it is held.
    bool NoteKey(const QKeyEvent& event);
    // Whether the press is a control's key or an Alt combination, run (unless repeated) or
    // swallowed, and never typed.
    bool CommandKeyPressed(const QKeyEvent& event, bool repeated);

    QWidget* window_;
    QLineEdit* editX_;
    rpn::EntryController& entry_;
    ActionRunner runAction_;
    ControlRunner runControl_;
    OutcomePresenter present_;
    FieldPaste fieldPaste_;
    // The keys down now, by the key's code on the keyboard.
    std::set<quint32> down_;
    // Those of them whose press ran a control or was an Alt combination: their repeats stay
    // swallowed when Alt is let go before the key.
    std::set<quint32> commandKeys_;
};

}  // namespace rpn::ui
