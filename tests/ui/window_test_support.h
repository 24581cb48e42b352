// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ui/keypad_window.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"

namespace rpn::ui::testing {

// Boxes that never wait for a click.
class SilentBoxes : public MessageBoxes {
  public:
    void ShowStop(QWidget*, const QString&, const QString&) override {}
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return true; }
};

// The main window and its keypad as the program builds them, beside a program file in a folder
// of its own, shown in the compact view.
struct ShownCalculator {
    QTemporaryDir dir;
    SilentBoxes boxes;
    std::unique_ptr<MainWindow> window;
    KeypadWindow* keypad = nullptr;

    explicit ShownCalculator(double scale) {
        MainWindowOptions options;
        options.layoutScale = scale;
        options.programPath =
            QFile::encodeName(dir.filePath(QStringLiteral("rpncalc"))).toStdString();
        options.messageBoxes = &boxes;
        window = std::make_unique<MainWindow>(options);
        keypad = new KeypadWindow(window->keypad(), window->layoutScale(), window.get());
        window->AttachKeypad(keypad);
        window->show();
    }
};

}  // namespace rpn::ui::testing
