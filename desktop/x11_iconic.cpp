// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_iconic.h"

#include <xcb/xcb.h>

#include <QWindow>
#include <algorithm>

#include "desktop/rules/iconic_state.h"
#include "desktop/x11_connection.h"

namespace rpn::desktop {

namespace {

// Whether the atom list `property` of `window` holds `atom`.
bool ListHolds(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t atom) {
    constexpr uint32_t kLongestList = 1024;
    auto reply = OwnedReply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_ATOM, 0, kLongestList), nullptr));
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return std::find(atoms, atoms + reply->value_len, atom) != atoms + reply->value_len;
}

}  // namespace

bool X11OnWorkspaceNotShown(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return false;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = X11RootOf(c, client);
    if (root == XCB_WINDOW_NONE) {
        return false;
    }
    const xcb_atom_t hidden = X11Atom(c, "_NET_WM_STATE_HIDDEN");
    return OnWorkspaceNotShown(
        {.markedHidden = ListHolds(c, client, X11Atom(c, "_NET_WM_STATE"), hidden),
         .managerMarksHidden = ListHolds(c, root, X11Atom(c, "_NET_SUPPORTED"), hidden)});
}

}  // namespace rpn::desktop
