// The entry side of the main window: X editing, the clipboard exchange, the keyboard
// commands and the keypad window's keys.
#include <QAbstractButton>
#include <chrono>
#include <optional>
#include <string>

#include "ui/keyboard_router.h"
#include "ui/main_window.h"
#include "ui/register_edit.h"
#include "ui/x11_frame.h"
#include "ui/x11_keyboard.h"

namespace rpn::ui {

namespace {

// How long after a click on a keypad key, or after the keypad is shown, the keypad's
// activation for it may still arrive.
constexpr std::chrono::milliseconds kKeypadActivationDelay{1000};

}  // namespace

void MainWindow::ConnectEntry() {
    for (const Field field : {Field::X, Field::Y, Field::Z, Field::T}) {
        connect(Edit(field), &RegisterEdit::focusEntered, this,
                [this, field] { entry_.clipboardExchange.FieldFocused(field); });
    }
    // The field's own paste goes through the same clipboard reader as Ctrl+V, with its limits
    // on size and waiting.
    const auto fieldPaste = [this] {
        const std::optional<std::string> text = clipboard_.Text();
        if (!text) {
            Beep();
            return;
        }
        Edit(Field::X)->insert(
            QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size())));
    };
    auto* router = new KeyboardRouter(
        this, Edit(Field::X), entry_,
        [this](const std::function<void()>& action) { RunAction(action); },
        [this](const ControlAction& action) { RunControlAction(action); }, fieldPaste);
    router->Install();
    // The roll and sign keys act at a key's release: a held key must give only its real one.
    EnableDetectableAutoRepeat();
}

void MainWindow::AttachKeypad(KeypadWindow* keys) {
    keys_ = keys;
    keys_->ConnectKeys([this](char ch) { TypeKey(ch); },
                       [this](char ch) { RunAction([this, ch] { entry_.xEntry.AppendKey(ch); }); });
}

void MainWindow::TypeKey(char ch) {
    RunAction([this, ch] { entry_.xEntry.TypeKey(ch); });
    // The typed character went to X, and so do the next keys: the main window is the active
    // one after every click on the keypad, also when the window system activates the keypad
    // for the click only after this.
    activateWindow();
    ReclaimFocusFromKeypad();
}

void MainWindow::ReclaimFocusFromKeypad() {
    // Only an X server delivers the keypad's activation late, through the window manager.
    if (OnX11()) {
        reclaimFromKeypadUntil_ = std::chrono::steady_clock::now() + kKeypadActivationDelay;
    }
}

void MainWindow::CloseKeypad() {
    // Its close step records the position and clears KeypadShown, shown or not.
    if (keys_ != nullptr) {
        keys_->close();
    }
}

void MainWindow::ToggleKeypad() {
    if (keys_ == nullptr) {
        return;
    }
    if (keypad_.KeypadShown) {
        keypad_.KeypadShown = false;
        keys_->close();
        return;
    }
    keypad_.KeypadShown = true;
    keys_->show();
    keys_->raise();
    // The keypad may take the activation as it comes up; the main window takes it back, and
    // its becoming-active step runs now rather than after the stack-lift below.
    activationAlreadyHandled_ = true;
    activateWindow();
    // Some window managers hand the focus to a window as they map it, a moment after this.
    ReclaimFocusFromKeypad();
    OnBecomingActive();
    calc_.EndEntry();
}

}  // namespace rpn::ui
