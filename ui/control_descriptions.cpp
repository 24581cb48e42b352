// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_descriptions.h"

#include <QWidget>
#include <array>

#include "layout/main_window_layout.h"

namespace rpn::ui {

namespace {

struct Description {
    const char* control;
    const char* text;
};

constexpr std::array<Description, 11> kDescriptions{{
    {"ButtonE", "Push X onto the stack"},
    {"Buttonsin", "X = sin(X)"},
    {"Buttoncos", "X = cos(X)"},
    {"Buttontan", "X = tan(X)"},
    {"Buttonasin", "X = asin(X)"},
    {"Buttonacos", "X = acos(X)"},
    {"Buttonatan", "X = atan(X)"},
    {"Buttonlog", "X = log(X)"},
    {"Buttonln", "X = ln(X)"},
    {"Button10X", "X = 10^X"},
    {"Buttonex", "X = e^X"},
}};

}  // namespace

void DescribeUnhintedControls(QWidget& window) {
    for (const Description& d : kDescriptions) {
        if (auto* control = window.findChild<QWidget*>(QString::fromLatin1(d.control))) {
            control->setAccessibleDescription(QString::fromLatin1(d.text));
        }
    }
}

void ShowTrigArea(QWidget& window, bool shown) {
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.top < kTrigAreaTop) {
            continue;
        }
        if (auto* widget = window.findChild<QWidget*>(QString::fromLatin1(control.name))) {
            widget->setVisible(shown);
        }
    }
}

}  // namespace rpn::ui
