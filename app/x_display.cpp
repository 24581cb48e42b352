#include "app/x_display.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace rpn {

std::string XDisplayProblem(const std::string& displayName) {
    std::string name = displayName;
    if (name.empty()) {
        const char* variable = std::getenv("DISPLAY");
        name = variable ? variable : "";
    }
    if (name.empty()) {
        return "cannot open a display: DISPLAY is not set (use -display or set DISPLAY)";
    }
    xcb_connection_t* connection = xcb_connect(name.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers ? "" : "cannot open display '" + name + "'";
}

}  // namespace rpn
