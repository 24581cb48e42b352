// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QString>

#include "layout/control_key.h"

class QAbstractButton;
class QWidget;

namespace rpn::ui {

QKeySequence KeySequenceOf(ControlKey key);

// A control's tooltip: its hint as designed, and its key on a line of its own; the key alone
// for a control without a hint.
QString ToolTipWithKey(const QString& hint, ControlKey key);

// The key of the layout row `widget` was built from; no key for a control without a row.
ControlKey KeyOfControl(const QWidget& widget);

// Tells assistive technology and the tooltip which key runs `button`. The key itself is
// carried out by the keyboard router, so that it takes the same road as every other key.
void ShowControlKey(QAbstractButton& button, ControlKey key);

// Gives `button` a new caption and keeps its key: a caption sets the button's shortcut to the
// caption's mnemonic, which would take the key away from assistive technology.
void SetCaptionKeepingKey(QAbstractButton& button, const QString& caption);

}  // namespace rpn::ui
