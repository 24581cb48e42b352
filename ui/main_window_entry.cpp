// SPDX-License-Identifier: GPL-3.0-or-later
// The entry side of the main window: X editing, the clipboard exchange, the keyboard
// commands and the keypad window's keys.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <memory>
#include <optional>
#include <string>

#include "desktop/x11_keyboard.h"
#include "layout/window_command_entry.h"
#include "ui/keyboard_router.h"
#include "ui/main_window.h"
#include "ui/register_edit.h"
#include "ui/session_tracker.h"

namespace rpn::ui {

void MainWindow::ConnectEntry() {
    for (const Field field : {Field::X, Field::Y, Field::Z, Field::T}) {
        connect(Edit(field), &RegisterEdit::focusEntered, this,
                [this, field] { entry_.clipboardExchange.FieldFocused(field); });
    }
    // Typing reaches the field after the key's action has run: the snapshot follows the text.
    connect(Edit(Field::X), &QLineEdit::textChanged, this, [this] { tracker_->Refresh(); });
    // The field's own pastes go through the same clipboard reader as Ctrl+V, with its limits
    // on size and waiting.
    Edit(Field::X)->RouteOwnPastes(&clipboard_, [this] { Beep(); });
    const KeyboardRouter::FieldPaste fieldPaste{
        [this] { return Edit(Field::X)->ReadClipboard(); },
        [this](const std::string& text) { Edit(Field::X)->InsertPasted(text); }};
    auto* router = new KeyboardRouter(
        this, Edit(Field::X), entry_,
        [this](const std::function<void()>& action) { RunAction(action); },
        [this](const ControlAction& action) { RunControlAction(action); },
        [this](Outcome outcome) { Present(outcome); }, fieldPaste);
    router->Install();
    // The roll and sign keys act at a key's release: a held key must give only its real one.
    desktop::EnableDetectableAutoRepeat();
}

void MainWindow::AttachKeypad(KeypadWindow* keys) {
    keys_ = keys;
    tracker_->WatchKeypad(keys_);
    keys_->ConnectKeys([this](char ch) { TypeKey(ch); },
                       [this](QKeyEvent& key) { KeyFromKeypad(key); });
    keys_->OnMinimised([this] { RestoreAfterKeypadMinimised(); });
}

void MainWindow::RestoreAfterKeypadMinimised() {
    // A window manager that minimised the whole calculator with its keypad gets it back.
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
}

void MainWindow::TypeKey(char ch) {
    RunAction([this, ch] { entry_.xEntry.TypeKey(ch); });
}

void MainWindow::KeyFromKeypad(const QKeyEvent& key) {
    // The key goes where the keyboard belongs, and takes the X field's road there: a window
    // manager that focuses the keypad must not change what a keystroke does.
    Edit(Field::X)->setFocus(Qt::OtherFocusReason);
    if (isVisible() && QGuiApplication::focusWindow() != windowHandle()) {
        activateWindow();
    }
    const std::unique_ptr<QEvent> copy(key.clone());
    QCoreApplication::sendEvent(Edit(Field::X), copy.get());
}

void MainWindow::CloseKeypad() {
    // Its close step records the position and clears KeypadShown, shown or not.
    if (keys_ != nullptr) {
        keys_->PutAway();
    }
}

void MainWindow::ToggleKeypad() {
    if (keys_ == nullptr) {
        return;
    }
    if (keypad_.KeypadShown) {
        keys_->PutAway();
        return;
    }
    keypad_.KeypadShown = true;
    keys_->ShowAtItsPlace();
    // The keyboard stays with X, all of it selected, and the next digit starts a new number.
    calc_.ReturnToX(kEntryAfter<Command::ToggleKeypad>);
}

}  // namespace rpn::ui
