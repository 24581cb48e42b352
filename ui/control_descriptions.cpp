// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_descriptions.h"

#include <QString>
#include <QWidget>
#include <array>

#include "layout/main_window_layout.h"
#include "ui/control_widgets.h"

namespace rpn::ui {

namespace {

// What a click on the control running `operation` does.
struct Description {
    Operation operation;
    const char* text;
};

constexpr std::array<Description, 11> kDescriptions{{
    {Operation::Enter, "Push X onto the stack"},
    {Operation::Sine, "X = sin(X)"},
    {Operation::Cosine, "X = cos(X)"},
    {Operation::Tangent, "X = tan(X)"},
    {Operation::ArcSine, "X = asin(X)"},
    {Operation::ArcCosine, "X = acos(X)"},
    {Operation::ArcTangent, "X = atan(X)"},
    {Operation::Log10, "X = log(X)"},
    {Operation::NaturalLog, "X = ln(X)"},
    {Operation::TenToX, "X = 10^X"},
    {Operation::NaturalExp, "X = e^X"},
}};

}  // namespace

QString FieldAccessibleName(ControlRole role) {
    switch (role) {
        case ControlRole::XField:
            return QStringLiteral("X entry");
        case ControlRole::YField:
            return QStringLiteral("Y register");
        case ControlRole::ZField:
            return QStringLiteral("Z register");
        case ControlRole::TField:
            return QStringLiteral("T register");
        case ControlRole::None:
        case ControlRole::AngleMode:
            break;
    }
    return {};
}

void DescribeUnhintedControls(QWidget& window) {
    for (const Description& d : kDescriptions) {
        if (QWidget* control = ControlWidget(window, d.operation)) {
            control->setAccessibleDescription(QString::fromLatin1(d.text));
        }
    }
}

void ShowTrigArea(QWidget& window, bool shown) {
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.top < kTrigAreaTop) {
            continue;
        }
        if (QWidget* widget = ControlWidget(window, control)) {
            widget->setVisible(shown);
        }
    }
}

}  // namespace rpn::ui
