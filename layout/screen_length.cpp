// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/screen_length.h"

#include <cmath>

namespace rpn::ui {

int LogicalLength(int designed, double layoutScale) {
    return static_cast<int>(std::lround(designed * layoutScale));
}

int DeviceLength(int designed, double layoutScale, double devicePixelRatio) {
    return static_cast<int>(
        std::floor(LogicalLength(designed, layoutScale) * devicePixelRatio + 0.5));
}

}  // namespace rpn::ui
