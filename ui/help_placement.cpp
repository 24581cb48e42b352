// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_placement.h"

#include <algorithm>
#include <array>

namespace rpn::ui {

namespace {

// A gap between the two frames, so that their borders do not merge into one.
constexpr int kGap = 4;
// How far the viewer stands off the calculator's corner when it has to overlap it.
constexpr int kOverlapOffset = 32;

int Clamp(int value, int low, int high) {
    // A viewer larger than the screen keeps its top-left corner on the screen.
    return std::max(low, std::min(value, high));
}

int OverlapArea(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

}  // namespace

QPoint HelpViewerPosition(const QRect& calculator, const QSize& viewer, const QRect& screen) {
    const int lowestLeft = screen.left();
    const int highestLeft = screen.left() + screen.width() - viewer.width();
    const int lowestTop = screen.top();
    const int highestTop = screen.top() + screen.height() - viewer.height();
    const int alignedTop = Clamp(calculator.top(), lowestTop, highestTop);
    const int alignedLeft = Clamp(calculator.left(), lowestLeft, highestLeft);

    const std::array<QPoint, 4> sides{{
        {calculator.left() + calculator.width() + kGap, alignedTop},
        {calculator.left() - kGap - viewer.width(), alignedTop},
        {alignedLeft, calculator.top() + calculator.height() + kGap},
        {alignedLeft, calculator.top() - kGap - viewer.height()},
    }};
    for (const QPoint& side : sides) {
        if (screen.contains(QRect(side, viewer))) {
            return side;
        }
    }

    // No side has room: each side pushed into the screen, the one that covers least.
    QPoint best;
    int bestOverlap = -1;
    for (const QPoint& side : sides) {
        const QPoint inside(Clamp(side.x(), lowestLeft, highestLeft),
                            Clamp(side.y(), lowestTop, highestTop));
        const int overlap = OverlapArea(QRect(inside, viewer), calculator);
        if (bestOverlap < 0 || overlap < bestOverlap) {
            best = inside;
            bestOverlap = overlap;
        }
    }
    if (QRect(best, viewer) == calculator) {
        // Exactly over it, the calculator would seem gone: its corner stays in sight.
        best += QPoint(kOverlapOffset, kOverlapOffset);
    }
    return best;
}

}  // namespace rpn::ui
