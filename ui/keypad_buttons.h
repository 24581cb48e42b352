// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <functional>

class QWidget;

namespace rpn::ui {

// The face of the keypad's point or minus key ('.' or '-'): the 8 x 8 black-on-white bitmap
// with its white transparent, drawn at `scale` times that size.
QPixmap KeypadGlyph(char key, double scale);

// Puts the twelve keys on the keypad window `keypad`, designed at 120 pixels per inch and
// drawn at `scale`; each click calls `typeKey` with the key's character. The keys never
// take the focus.
void AddKeypadButtons(QWidget* keypad, double scale, const std::function<void(char)>& typeKey);

// Draws the point and minus glyphs of `keypad` in its palette's text colour now in force.
void InkKeypadGlyphs(QWidget& keypad);

}  // namespace rpn::ui
