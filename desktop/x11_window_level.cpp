// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_window_level.h"

#include <xcb/xcb.h>

#include <QWindow>
#include <optional>

#include "desktop/x11_connection.h"

namespace rpn::desktop {

namespace {

// The layers of the older window manager hints: ordinary windows, and the one above them.
constexpr uint32_t kNormalLayer = 4;
constexpr uint32_t kOnTopLayer = 6;

// The connection, the window and its root for a request about `window`; nothing when the
// program does not run on an X server or the window is not there (yet, or any longer).
struct Addressed {
    xcb_connection_t* c;
    xcb_window_t client;
    xcb_window_t root;
};

std::optional<Addressed> Address(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return std::nullopt;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = X11RootOf(c, client);
    if (root == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    return Addressed{c, client, root};
}

void SetLayer(const Addressed& to, bool onTop) {
    const uint32_t layer = onTop ? kOnTopLayer : kNormalLayer;
    const xcb_atom_t layerAtom = X11Atom(to.c, "_WIN_LAYER");
    // The property for a window that is not mapped yet, the message for one that is.
    xcb_change_property(to.c, XCB_PROP_MODE_REPLACE, to.client, layerAtom, XCB_ATOM_CARDINAL, 32, 1,
                        &layer);
    const uint32_t data[5] = {layer, XCB_CURRENT_TIME, 0, 0, 0};
    X11SendToWindowManager(to.c, to.root, to.client, layerAtom, data);
}

}  // namespace

void X11SetStaysOnTopLayer(const QWindow& window, bool onTop) {
    if (const auto to = Address(window)) {
        SetLayer(*to, onTop);
    }
}

void X11AskStaysOnTop(const QWindow& window) {
    const auto to = Address(window);
    if (!to) {
        return;
    }
    constexpr uint32_t kRemove = 0;
    constexpr uint32_t kAdd = 1;
    constexpr uint32_t kFromApplication = 1;
    const xcb_atom_t above = X11Atom(to->c, "_NET_WM_STATE_ABOVE");
    const xcb_atom_t state = X11Atom(to->c, "_NET_WM_STATE");
    const uint32_t removal[5] = {kRemove, above, 0, kFromApplication, 0};
    const uint32_t addition[5] = {kAdd, above, 0, kFromApplication, 0};
    X11SendToWindowManager(to->c, to->root, to->client, state, removal);
    X11SendToWindowManager(to->c, to->root, to->client, state, addition);
    SetLayer(*to, true);
}

}  // namespace rpn::desktop
