// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/operation.h"
#include "layout/main_window_layout.h"

class QObject;
class QWidget;

namespace rpn::ui {

// The widget that the main window `window` built for the layout row `control`, or nullptr
// when it has none.
QWidget* ControlWidget(const QWidget& window, const ControlLayout& control);

// The widget of the control that plays `role`, runs `operation` or runs the window command
// `command`, or nullptr.
QWidget* ControlWidget(const QWidget& window, ControlRole role);
QWidget* ControlWidget(const QWidget& window, Operation operation);
QWidget* ControlWidget(const QWidget& window, Command command);

// The layout row that `widget` was built from, or nullptr for a widget of no row.
const ControlLayout* ControlRow(const QObject& widget);

}  // namespace rpn::ui
