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
// With --dpi N, one line more at the end: the main window's client size in screen pixels on
// an X server at N dots per inch (Xft.dpi), in the large and in the compact view, rounded as
// the window is:
//   window <width> <height> <compact height>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "layout/keypad_layout.h"
#include "layout/main_window_layout.h"
#include "layout/screen_length.h"
#include "version/program_version.h"

namespace {

// The toolkit's X11 platform works at 96 logical dots per inch whatever the screen's, and
// maps them onto the screen by the device pixel ratio.
constexpr double kLogicalDpi = 96.0;
constexpr double kDesignedDpi = 120.0;

void PrintWindowAt(double dpi) {
    const double scale = kLogicalDpi / kDesignedDpi;
    const double ratio = dpi / kLogicalDpi;
    std::printf("window %d %d %d\n", rpn::ui::DeviceLength(rpn::ui::kClientWidth, scale, ratio),
                rpn::ui::DeviceLength(rpn::ui::kClientHeight, scale, ratio),
                rpn::ui::DeviceLength(rpn::ui::kTrigAreaTop, scale, ratio));
}

}  // namespace

int main(int argc, char** argv) {
    double dpi = 0;
    if (argc == 3 && std::strcmp(argv[1], "--dpi") == 0) {
        dpi = std::atof(argv[2]);
    }
    if (argc != 1 && dpi <= 0) {
        std::fprintf(stderr, "usage: rpncalc-layout [--dpi N]\n");
        return 2;
    }
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
    if (dpi > 0) {
        PrintWindowAt(dpi);
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
