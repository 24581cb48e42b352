// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/control_key.h"

namespace rpn::ui {

std::string KeyName(ControlKey key) {
    switch (key.kind) {
        case ControlKey::Kind::None:
            return {};
        case ControlKey::Kind::Alt:
            return std::string("Alt+") + static_cast<char>(key.code);
        case ControlKey::Kind::AltShift:
            return std::string("Alt+Shift+") + static_cast<char>(key.code);
        case ControlKey::Kind::Function: {
            // Appended rather than "F" + to_string(): GCC 12 at -O2 and above reports a false
            // overlap (-Wrestrict) in the inlined insert at the front.
            std::string name = "F";
            name += std::to_string(key.code);
            return name;
        }
    }
    return {};
}

}  // namespace rpn::ui
