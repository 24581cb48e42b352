// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/x_display.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace rpn {

XDisplayCheck::XDisplayCheck(const std::string& displayName) {
    std::string name = displayName;
    if (name.empty()) {
        const char* variable = std::getenv("DISPLAY");
        name = variable ? variable : "";
    }
    if (name.empty()) {
        problem_ = "cannot open a display: DISPLAY is not set (use -display or set DISPLAY)";
        return;
    }
    connection_ = xcb_connect(name.c_str(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        problem_ = "cannot open display '" + name + "'";
    }
}

XDisplayCheck::~XDisplayCheck() {
    if (connection_) {
        xcb_disconnect(connection_);
    }
}

}  // namespace rpn
