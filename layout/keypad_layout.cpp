// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/keypad_layout.h"

#include <array>

namespace rpn::ui {

namespace {

constexpr int kKey = 25;

constexpr std::array kKeys = {
    KeypadKeyLayout{"SpeedButton7", '7', "7", "7", 8, 8, kKey, kKey},
    KeypadKeyLayout{"SpeedButton8", '8', "8", "8", 43, 8, kKey, kKey},
    KeypadKeyLayout{"SpeedButton9", '9', "9", "9", 77, 8, kKey, kKey},
    KeypadKeyLayout{"SpeedButton10", '0', "0", "0", 112, 8, kKey, kKey},
    KeypadKeyLayout{"SpeedButton4", '4', "4", "4", 8, 40, kKey, kKey},
    KeypadKeyLayout{"SpeedButton5", '5', "5", "5", 43, 40, kKey, kKey},
    KeypadKeyLayout{"SpeedButton6", '6', "6", "6", 77, 40, kKey, kKey},
    KeypadKeyLayout{"SpeedButton11", '.', "", "decimal point", 112, 40, kKey, kKey},
    KeypadKeyLayout{"SpeedButton1", '1', "1", "1", 8, 72, kKey, kKey},
    KeypadKeyLayout{"SpeedButton2", '2', "2", "2", 43, 72, kKey, kKey},
    KeypadKeyLayout{"SpeedButton3", '3', "3", "3", 77, 72, kKey, kKey},
    KeypadKeyLayout{"SpeedButton12", '-', "", "minus", 112, 72, kKey, kKey},
};

}  // namespace

std::span<const KeypadKeyLayout> KeypadKeys() {
    return kKeys;
}

}  // namespace rpn::ui
