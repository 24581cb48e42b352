// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_taskbar.h"

#include <xcb/xcb.h>

#include <QWindow>
#include <algorithm>
#include <vector>

#include "desktop/x11_connection.h"

namespace rpn::desktop {

void X11KeepOffTaskbar(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t stateAtom = X11Atom(c, "_NET_WM_STATE");
    constexpr uint32_t kLongestList = 32;
    auto reply = OwnedReply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, client, stateAtom, XCB_ATOM_ATOM, 0, kLongestList), nullptr));
    std::vector<xcb_atom_t> states;
    if (reply && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        states.assign(atoms, atoms + reply->value_len);
    }
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t skip = X11Atom(c, name);
        if (std::find(states.begin(), states.end(), skip) == states.end()) {
            states.push_back(skip);
        }
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, stateAtom, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.data());
    xcb_flush(c);
}

}  // namespace rpn::desktop
