#include "ui/keyboard_router.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

#include "entry/control_characters.h"
#include "ui/key_mapping.h"

namespace rpn::ui {

KeyboardRouter::KeyboardRouter(QWidget* window, QLineEdit* editX, rpn::EntryController& entry,
                               ActionRunner runAction, FieldPaste fieldPaste)
    : QObject(window),
      window_(window),
      editX_(editX),
      entry_(entry),
      runAction_(std::move(runAction)),
      fieldPaste_(std::move(fieldPaste)) {}

void KeyboardRouter::Install() {
    window_->installEventFilter(this);
    for (QWidget* control : window_->findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
}

bool KeyboardRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
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
    // A fault ends the keystroke: the field does not see it either.
    bool consumed = true;
    runAction_([&] {
        if (type == QEvent::KeyPress) {
            consumed = KeyPressed(target, key);
        } else {
            consumed = target == editX_ && KeyReleased(key);
        }
    });
    return consumed;
}

bool KeyboardRouter::KeyPressed(QWidget* target, QKeyEvent& event) {
    entry_.keyboard.KeyDown(KeyOf(event), ModifiersOf(event));

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
    if (entry_.xEntry.CharacterTyped(ch)) {
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
    return entry_.keyboard.XKeyReleased(KeyOf(event), ModifiersOf(event));
}

}  // namespace rpn::ui
