// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace rpn::ui {

// Where the help viewer's frame goes so that it stands aside of the calculator's frame
// `calculator` on the screen area `screen`: right of it, else left of it, else below, else
// above, on the first side where `viewer` fits whole; lined up with the calculator's top (or
// left) edge as far as the screen allows. Where no side has room it overlaps the calculator as
// little as the screen allows, and never covers it exactly.
QPoint HelpViewerPosition(const QRect& calculator, const QSize& viewer, const QRect& screen);

}  // namespace rpn::ui
