// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_widgets.h"

#include <QWidget>

namespace rpn::ui {

namespace {

QWidget* WidgetOfRow(const QWidget& window, const ControlLayout* control) {
    return control != nullptr ? ControlWidget(window, *control) : nullptr;
}

}  // namespace

QWidget* ControlWidget(const QWidget& window, const ControlLayout& control) {
    // The row's object name is the widget's: the window gives it to each control it builds.
    return window.findChild<QWidget*>(QString::fromLatin1(control.name),
                                      Qt::FindDirectChildrenOnly);
}

QWidget* ControlWidget(const QWidget& window, ControlRole role) {
    return WidgetOfRow(window, FindControl(role));
}

QWidget* ControlWidget(const QWidget& window, Operation operation) {
    return WidgetOfRow(window, FindControl(operation));
}

QWidget* ControlWidget(const QWidget& window, Command command) {
    return WidgetOfRow(window, FindControl(command));
}

const ControlLayout* ControlRow(const QObject& widget) {
    return FindControl(widget.objectName().toStdString());
}

}  // namespace rpn::ui
