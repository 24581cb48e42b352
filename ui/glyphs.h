// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

#include "layout/main_window_layout.h"

namespace rpn::ui {

// The face bitmap of the glyph button whose click runs `action`: black strokes on a
// transparent 16 x 14 field (18 x 14 for the exponent sign button), drawn at `scale` times
// that size in logical pixels, sharp at `devicePixelRatio`, but never on fewer device pixels
// than the designed field.
// A null pixmap for a control that shows a caption instead.
QPixmap GlyphPixmap(const ControlAction& action, qreal scale, qreal devicePixelRatio = 1);

// The main window's 32 x 32 icon.
QIcon MainWindowIcon();

}  // namespace rpn::ui
