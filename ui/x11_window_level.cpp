// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/x11_window_level.h"

#include <xcb/xcb.h>

#include <QWindow>

#include "ui/x11_connection.h"

namespace rpn::ui {

namespace {

// The layers of the older window manager hints: ordinary windows, and the one above them.
constexpr uint32_t kNormalLayer = 4;
constexpr uint32_t kOnTopLayer = 6;

}  // namespace

void X11SetStaysOnTopLayer(const QWindow& window, bool onTop) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = X11RootOf(c, client);
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    const uint32_t layer = onTop ? kOnTopLayer : kNormalLayer;
    const xcb_atom_t layerAtom = X11Atom(c, "_WIN_LAYER");
    // The property for a window that is not mapped yet, the message for one that is.
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, layerAtom, XCB_ATOM_CARDINAL, 32, 1,
                        &layer);
    const uint32_t data[5] = {layer, XCB_CURRENT_TIME, 0, 0, 0};
    X11SendToWindowManager(c, root, client, layerAtom, data);
}

void X11AskStaysOnTop(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = X11RootOf(c, client);
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    constexpr uint32_t kRemove = 0;
    constexpr uint32_t kAdd = 1;
    constexpr uint32_t kFromApplication = 1;
    const xcb_atom_t above = X11Atom(c, "_NET_WM_STATE_ABOVE");
    const xcb_atom_t state = X11Atom(c, "_NET_WM_STATE");
    const uint32_t removal[5] = {kRemove, above, 0, kFromApplication, 0};
    const uint32_t addition[5] = {kAdd, above, 0, kFromApplication, 0};
    X11SendToWindowManager(c, root, client, state, removal);
    X11SendToWindowManager(c, root, client, state, addition);
    X11SetStaysOnTopLayer(window, true);
}

}  // namespace rpn::ui
