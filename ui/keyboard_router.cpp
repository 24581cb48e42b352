// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/keyboard_router.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <utility>

#include "entry/control_characters.h"
#include "ui/control_widgets.h"
#include "ui/key_mapping.h"

namespace rpn::ui {

KeyboardRouter::KeyboardRouter(QWidget* window, QLineEdit* editX, rpn::EntryController& entry,
                               ActionRunner runAction, ControlRunner runControl,
                               OutcomePresenter present, FieldPaste fieldPaste)
    : QObject(window),
      window_(window),
      editX_(editX),
      entry_(entry),
      runAction_(std::move(runAction)),
      runControl_(std::move(runControl)),
      present_(std::move(present)),
      fieldPaste_(std::move(fieldPaste)) {}

void KeyboardRouter::Install() {
    window_->installEventFilter(this);
    for (QWidget* control : window_->findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
    // A release in another window never reaches this one: a key pressed after the focus came
    // back is a new press.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this] {
        down_.clear();
        commandKeys_.clear();
    });
}

bool KeyboardRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Shortcut) {
        // A control's key pressed while the keypad window is the active one: the toolkit
        // keeps the main window's keys working over its tool window.
        const ControlLayout* control = ControlRow(*watched);
        if (control == nullptr) {
            return false;
        }
        if (!static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            runControl_(control->action);
        }
        return true;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return false;
    }
    // A key the focused control leaves alone travels on to its parents: act on it once, where
    // it was first delivered.
    QWidget* focused = window_->focusWidget();
    QWidget* target = focused != nullptr ? focused : window_;
    if (watched != target) {
        return false;
    }
    auto& key = static_cast<QKeyEvent&>(*event);
    if (type == QEvent::ShortcutOverride) {
        // The controls' keys arrive as key presses, in their order among the other keys.
        if (FindControlByKey(ControlKeyOf(key)) != nullptr) {
            key.accept();
            return true;
        }
        return false;
    }
    const bool repeated = NoteKey(key);
    // A fault ends the keystroke: the field does not see it either.
    bool consumed = true;
    runAction_([&] {
        if (type == QEvent::KeyPress) {
            consumed = KeyPressed(target, key, repeated);
        } else {
            consumed = target == editX_ && KeyReleased(key);
        }
    });
    return consumed;
}

namespace {

quint32 KeyCode(const QKeyEvent& event) {
    return event.nativeScanCode() != 0 ? event.nativeScanCode() : static_cast<quint32>(event.key());
}

}  // namespace

bool KeyboardRouter::NoteKey(const QKeyEvent& event) {
    const quint32 code = KeyCode(event);
    if (event.type() == QEvent::KeyRelease) {
        if (!event.isAutoRepeat()) {
            down_.erase(code);
            commandKeys_.erase(code);
        }
        return false;
    }
    return !down_.insert(code).second || event.isAutoRepeat();
}

bool KeyboardRouter::CommandKeyPressed(const QKeyEvent& event, bool repeated) {
    const quint32 code = KeyCode(event);
    if (repeated && commandKeys_.contains(code)) {
        return true;
    }
    // One press, one command: a held control key does not repeat it.
    if (const ControlLayout* control = FindControlByKey(ControlKeyOf(event))) {
        commandKeys_.insert(code);
        if (!repeated) {
            runControl_(control->action);
        }
        return true;
    }
    // Alt never types: with or without a command, the character stays out of X.
    if (TypesWithAlt(event)) {
        commandKeys_.insert(code);
        return true;
    }
    return false;
}

bool KeyboardRouter::KeyPressed(QWidget* target, QKeyEvent& event, bool repeated) {
    entry_.keyboard.KeyDown(KeyOf(event), ModifiersOf(event));

    if (CommandKeyPressed(event, repeated)) {
        return true;
    }
    const std::optional<char> typed = CharacterOf(event);
    if (!typed) {
        return false;
    }
    const char ch = *typed;
    if (entry_.keyboard.CharacterTyped(ch)) {
        return true;
    }
    if (target != editX_) {
        return false;
    }
    std::optional<std::string> pasted;
    if (ch == kCtrlV) {
        // Read before the character lifts the stack: a refused text changes nothing.
        pasted = fieldPaste_.readPaste();
        if (!pasted) {
            return true;
        }
    }
    const KeyAnswer answer = entry_.xEntry.CharacterTyped(ch);
    present_(answer.outcome);
    if (answer.consumed) {
        return true;
    }
    switch (ch) {
        // Reached only with Shift or Alt held as well, which the field does not bind: it
        // cuts, copies or pastes its whole text, selected by the handler just before.
        case kCtrlC:
            editX_->copy();
            return true;
        case kCtrlX:
            editX_->cut();
            return true;
        case kCtrlV:
            fieldPaste_.insertPaste(*pasted);
            return true;
        default:
            break;
    }
    // The field would insert what the keyboard typed; the entry holds single bytes.
    const QString typedText(QLatin1Char(static_cast<char>(ch)));
    if (static_cast<unsigned char>(ch) >= 0x20 && event.text() != typedText) {
        editX_->insert(typedText);
        return true;
    }
    return false;
}

bool KeyboardRouter::KeyReleased(QKeyEvent& event) {
    // A held key repeats its presses and releases; the commands act once, at the real release.
    if (event.isAutoRepeat()) {
        return false;
    }
    const KeyAnswer answer = entry_.keyboard.XKeyReleased(KeyOf(event), ModifiersOf(event));
    present_(answer.outcome);
    return answer.consumed;
}

}  // namespace rpn::ui
