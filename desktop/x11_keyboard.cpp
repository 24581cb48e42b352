// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_keyboard.h"

#include <xcb/xcb.h>
// The XKB header names a member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include "desktop/x11_connection.h"

namespace rpn::desktop {

bool EnableDetectableAutoRepeat() {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr) {
        return false;
    }
    auto use = OwnedReply(xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    if (!use || !use->supported) {
        return false;
    }
    // The flag belongs to the connection: the toolkit's own, which receives the key events.
    constexpr uint32_t kFlag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    auto flags = OwnedReply(xcb_xkb_per_client_flags_reply(
        c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, kFlag, kFlag, 0, 0, 0), nullptr));
    return flags && (flags->value & kFlag) != 0;
}

}  // namespace rpn::desktop
