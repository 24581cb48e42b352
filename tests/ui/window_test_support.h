// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QTemporaryDir>

#include "ui/calculator_windows.h"
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
    CalculatorWindows windows;
    MainWindow* window = &windows.main();
    KeypadWindow* keypad = &windows.keypad();

    explicit ShownCalculator(double scale) : windows(Options(scale)) { window->show(); }

  private:
    MainWindowOptions Options(double scale) {
        MainWindowOptions options;
        options.layoutScale = scale;
        options.programPath =
            QFile::encodeName(dir.filePath(QStringLiteral("rpncalc"))).toStdString();
        options.messageBoxes = &boxes;
        return options;
    }
};

}  // namespace rpn::ui::testing
