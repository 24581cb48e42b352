// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/readable_colours.h"

#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "layout/main_window_layout.h"
#include "ui/control_widgets.h"

namespace rpn::ui {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// Plain red reaches 3.5:1 on the usual light grey; on a dark grey it would fall near 3:1.
const QColor kRedOnLight(0xff, 0x00, 0x00);
const QColor kRedOnDark(0xff, 0x6b, 0x6b);

constexpr double kTextContrast = 4.5;

}  // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor AngleModeRed(const QColor& background) {
    return ContrastRatio(kRedOnLight, background) >= ContrastRatio(kRedOnDark, background)
               ? kRedOnLight
               : kRedOnDark;
}

QColor ReadableOn(const QColor& background, const QColor& preferred) {
    if (ContrastRatio(preferred, background) >= kTextContrast) {
        return preferred;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

QPixmap InkedGlyph(const QPixmap& glyph, const QColor& ink) {
    QPixmap inked = glyph;
    QPainter painter(&inked);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(inked.rect(), ink);
    return inked;
}

void InkGlyphIcon(QToolButton& button, const QColor& ink) {
    if (button.icon().isNull()) {
        return;
    }
    const QPixmap face = button.icon().pixmap(button.iconSize(), button.devicePixelRatioF());
    button.setIcon(QIcon(InkedGlyph(face, ink)));
}

void FollowPalette(QWidget& window) {
    // The window's palette, not the buttons': the window hears of a new palette before it
    // hands it on to its children.
    const QColor ink = window.palette().color(QPalette::ButtonText);
    for (const ControlLayout& control : MainWindowControls()) {
        if (control.kind != ControlKind::GlyphButton) {
            continue;
        }
        if (auto* button = qobject_cast<QToolButton*>(ControlWidget(window, control))) {
            InkGlyphIcon(*button, ink);
        }
    }
    const QPalette& colours = window.palette();
    for (const ControlLayout& control : MainWindowControls()) {
        QWidget* field =
            control.kind == ControlKind::EditField ? ControlWidget(window, control) : nullptr;
        if (field == nullptr) {
            continue;
        }
        // The active colours in an inactive window too: the inactive ones hide the selection.
        const QColor highlight = colours.color(QPalette::Active, QPalette::Highlight);
        const QColor digits =
            ReadableOn(highlight, colours.color(QPalette::Active, QPalette::HighlightedText));
        QPalette palette = field->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, highlight);
            palette.setColor(group, QPalette::HighlightedText, digits);
        }
        field->setPalette(palette);
    }
    if (QWidget* angleMode = ControlWidget(window, ControlRole::AngleMode)) {
        QPalette palette = angleMode->palette();
        palette.setColor(QPalette::WindowText,
                         AngleModeRed(window.palette().color(QPalette::Window)));
        angleMode->setPalette(palette);
    }
}

}  // namespace rpn::ui
