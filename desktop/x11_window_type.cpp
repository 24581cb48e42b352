// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_window_type.h"

#include <xcb/xcb.h>

#include <QWindow>

#include "desktop/x11_connection.h"

namespace rpn::desktop {

void X11MarkAsToolbar(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    // A manager takes the first type it knows: the utility window for one without toolbars.
    const xcb_atom_t types[] = {X11Atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                                X11Atom(c, "_NET_WM_WINDOW_TYPE_UTILITY")};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, X11Atom(c, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 2, types);
    xcb_flush(c);
}

}  // namespace rpn::desktop
