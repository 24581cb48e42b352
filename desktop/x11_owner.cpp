// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_owner.h"

#include <xcb/xcb.h>

#include <QWindow>

#include "desktop/x11_connection.h"

namespace rpn::desktop {

void X11SetOwner(const QWindow& window, const QWindow* owner) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    if (owner != nullptr && owner->handle()) {
        const auto ownerId = static_cast<xcb_window_t>(owner->winId());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, XCB_ATOM_WM_TRANSIENT_FOR,
                            XCB_ATOM_WINDOW, 32, 1, &ownerId);
    } else {
        xcb_delete_property(c, client, XCB_ATOM_WM_TRANSIENT_FOR);
    }
    xcb_flush(c);
}

}  // namespace rpn::desktop
