// SPDX-License-Identifier: GPL-3.0-or-later
// Prints what scripts need to know of the main window and its keypad, one fact a line, so
// that none of them keeps a copy that could drift from the program:
//   caption <the main window's caption>
//   client <designed width> <designed height>
//   compact <designed height of the compact view, which ends where the Trig/Log rows begin>
//   control <object name> <left> <top> <width> <height>
//   keypad client <designed width> <designed height>
//   keypad-control <object name> <left> <top> <width> <height>
// The keypad's lines come last, its controls in the keypad window's own coordinates.
// Coordinates are the designed ones (120 pixels per inch); a script scales them by the
// window's width over the designed width.
#include <cstdio>

#include "layout/keypad_layout.h"
#include "layout/main_window_layout.h"
#include "version/program_version.h"

int main() {
    std::printf("caption %s\n", rpn::kMainCaption);
    std::printf("client %d %d\n", rpn::ui::kClientWidth, rpn::ui::kClientHeight);
    std::printf("compact %d\n", rpn::ui::kTrigAreaTop);
    for (const auto& control : rpn::ui::MainWindowControls()) {
        std::printf("control %s %d %d %d %d\n", control.name, control.left, control.top,
                    control.width, control.height);
    }
    std::printf("keypad client %d %d\n", rpn::ui::kKeypadClientWidth, rpn::ui::kKeypadClientHeight);
    for (const auto& key : rpn::ui::KeypadKeys()) {
        std::printf("keypad-control %s %d %d %d %d\n", key.name, key.left, key.top, key.width,
                    key.height);
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
