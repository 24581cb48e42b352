// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layout_scale.h"

#include <QGuiApplication>
#include <QScreen>

#include "layout/screen_length.h"

namespace rpn::ui {

namespace {

constexpr double kDesignedDpi = 120.0;

QFont SerifFont(int pixelSize) {
    // The face the windows were drawn with is not available on Linux: Liberation Serif is
    // metric-compatible with Times New Roman, and the system serif stands in when it is missing.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize < 1 ? 1 : pixelSize);
    return font;
}

}  // namespace

double LayoutScaleForDpi(double logicalDotsPerInch) {
    return logicalDotsPerInch > 0 ? logicalDotsPerInch / kDesignedDpi : 1.0;
}

double ScreenLayoutScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return LayoutScaleForDpi(screen ? screen->logicalDotsPerInchY() : kDesignedDpi);
}

int Scaled(int designed, double scale) {
    return LogicalLength(designed, scale);
}

QFont ControlFont(int characterHeight, double scale, bool bold) {
    QFont font = SerifFont(Scaled(characterHeight, scale));
    font.setBold(bold);
    return font;
}

}  // namespace rpn::ui
