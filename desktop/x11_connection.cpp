// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_connection.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstring>

namespace rpn::desktop {

xcb_connection_t* X11Connection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t X11Atom(xcb_connection_t* c, const char* name) {
    auto reply = OwnedReply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void X11SendToWindowManager(xcb_connection_t* c, xcb_window_t root, xcb_window_t window,
                            xcb_atom_t type, const uint32_t (&data)[5]) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    std::copy(std::begin(data), std::end(data), event.data.data32);
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

xcb_window_t X11RootOf(xcb_connection_t* c, xcb_window_t window) {
    auto geometry = OwnedReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    return geometry ? geometry->root : xcb_window_t{XCB_WINDOW_NONE};
}

}  // namespace rpn::desktop
