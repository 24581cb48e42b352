#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "entry/entry_controller.h"

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace rpn::ui {

// Carries every key of the main window through the entry rules in the order a keystroke is
// defined to take: the window's key-down step, the window's character step, the X field's
// character handler, and only then the focused control's own processing; the release of a
// key in the X field goes to its key-up handler. Qt delivers key-down and character as one
// event, so the order lives here, in one place.
class KeyboardRouter : public QObject {
    Q_OBJECT
  public:
    // Each key runs as one user action through `runAction`, which reports a fault that ends it.
    using ActionRunner = std::function<void(const std::function<void()>&)>;

    // The X field's own paste: `readPaste` gives the clipboard's text, or nothing once it has
    // answered a refusal; `insertPaste` puts a text in place of the field's selection.
    struct FieldPaste {
        std::function<std::optional<std::string>()> readPaste;
        std::function<void(const std::string&)> insertPaste;
    };

    KeyboardRouter(QWidget* window, QLineEdit* editX, rpn::EntryController& entry,
                   ActionRunner runAction, FieldPaste fieldPaste);

    // Routes the keys of the window and of every control on it.
    void Install();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True when the event is consumed.
    bool KeyPressed(QWidget* target, QKeyEvent& event);
    bool KeyReleased(QKeyEvent& event);

    QWidget* window_;
    QLineEdit* editX_;
    rpn::EntryController& entry_;
    ActionRunner runAction_;
    FieldPaste fieldPaste_;
};

}  // namespace rpn::ui
