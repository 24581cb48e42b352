// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <string>

#include "ui/main_window.h"
#include "ui/register_fields_port.h"

namespace rpn::ui {

// Tests read the window's view state and what it has shown, which the program itself never
// asks the window for.
struct MainWindowAccess {
    // The calculator's view of the window's fields.
    static RegisterFieldsPort& Fields(MainWindow& w) { return w.port_; }
    static bool FirstShow(const MainWindow& w) { return w.firstShow_; }
    static bool StayOnTop(const MainWindow& w) { return w.stayOnTop_; }
    static bool TrigPanelShown(const MainWindow& w) { return w.trigPanelShown_; }
    static int TrigPanelHeight(const MainWindow& w) { return w.trigPanelHeight_; }
    static const std::string& HelpFilePath(const MainWindow& w) { return w.helpFilePath_; }
    static int BeepCount(const MainWindow& w) { return w.beeps_; }
    static QLabel* AngleModeLabel(const MainWindow& w) { return w.angleModeLabel_; }
    // Null until help has first been asked for.
    static HelpViewer* Help(const MainWindow& w) { return w.help_; }
};

}  // namespace rpn::ui
