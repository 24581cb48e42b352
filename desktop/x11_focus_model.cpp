// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_focus_model.h"

#include <xcb/xcb.h>

#include <QWindow>
#include <vector>

#include "desktop/x11_connection.h"

namespace rpn::desktop {

namespace {

void Withdraw(xcb_connection_t* c, xcb_window_t client) {
    const xcb_atom_t protocolsAtom = X11Atom(c, "WM_PROTOCOLS");
    const xcb_atom_t takeFocus = X11Atom(c, "WM_TAKE_FOCUS");
    constexpr uint32_t kLongestList = 32;
    auto reply = OwnedReply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, client, protocolsAtom, XCB_ATOM_ATOM, 0, kLongestList), nullptr));
    if (!reply || reply->format != 32) {
        return;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    std::vector<xcb_atom_t> kept(atoms, atoms + reply->value_len);
    std::erase(kept, takeFocus);
    if (kept.size() == reply->value_len) {
        return;
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, protocolsAtom, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(kept.size()), kept.data());
}

}  // namespace

void X11WithdrawTakeFocus(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    Withdraw(c, client);
    xcb_flush(c);
}

}  // namespace rpn::desktop
