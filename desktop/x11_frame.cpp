// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_frame.h"

#include <xcb/xcb.h>

#include <QWindow>
#include <cstring>

#include "desktop/rules/size_hints.h"
#include "desktop/x11_connection.h"

namespace rpn::desktop {

namespace {

struct TopLevel {
    xcb_window_t window;  // the root's child that holds the client: the frame, or the client
    xcb_window_t root;
};

std::optional<TopLevel> FindTopLevel(xcb_connection_t* c, xcb_window_t client) {
    xcb_window_t window = client;
    // A frame is a few windows deep at most; the bound keeps a broken tree from looping.
    for (int depth = 0; depth < 16; ++depth) {
        auto tree = OwnedReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree) {
            return std::nullopt;
        }
        if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE) {
            return TopLevel{window, tree->root};
        }
        window = tree->parent;
    }
    return std::nullopt;
}

// A fixed size kept whole: see WithoutResizeIncrement.
void DropResizeIncrement(xcb_connection_t* c, xcb_window_t client) {
    auto hints = OwnedReply(
        xcb_get_property_reply(c,
                               xcb_get_property(c, 0, client, XCB_ATOM_WM_NORMAL_HINTS,
                                                XCB_ATOM_WM_SIZE_HINTS, 0, kSizeHintsLength),
                               nullptr));
    if (!hints || hints->format != 32 ||
        xcb_get_property_value_length(hints.get()) != kSizeHintsLength * 4) {
        return;
    }
    SizeHints values{};
    std::memcpy(values.data(), xcb_get_property_value(hints.get()), sizeof values);
    if (const auto without = WithoutResizeIncrement(values)) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, XCB_ATOM_WM_NORMAL_HINTS,
                            XCB_ATOM_WM_SIZE_HINTS, 32, kSizeHintsLength, without->data());
    }
}

}  // namespace

bool OnX11() {
    return X11Connection() != nullptr;
}

std::optional<ScreenPoint> X11FrameTopLeft(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle() || !window.isVisible()) {
        return std::nullopt;
    }
    const auto top = FindTopLevel(c, static_cast<xcb_window_t>(window.winId()));
    if (!top) {
        return std::nullopt;
    }
    auto geometry =
        OwnedReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, top->window), nullptr));
    if (!geometry) {
        return std::nullopt;
    }
    return ScreenPoint{geometry->x, geometry->y};
}

std::optional<FrameExtents> X11FrameExtentsOf(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle() || !window.isVisible()) {
        return std::nullopt;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const auto top = FindTopLevel(c, client);
    if (!top || top->window == client) {
        return std::nullopt;
    }
    auto frame = OwnedReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, top->window), nullptr));
    auto inside = OwnedReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, client), nullptr));
    auto offset = OwnedReply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, client, top->window, 0, 0), nullptr));
    if (!frame || !inside || !offset) {
        return std::nullopt;
    }
    const int border = frame->border_width;
    return FrameExtents{frame->width + 2 * border - inside->width,
                        frame->height + 2 * border - inside->height, offset->dst_y + border};
}

bool X11FillsScreen(const QWindow& window) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return false;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    constexpr uint32_t kMostStates = 32;
    auto state = OwnedReply(xcb_get_property_reply(
        c,
        xcb_get_property(c, 0, client, X11Atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 0, kMostStates),
        nullptr));
    if (!state || state->format != 32) {
        return false;
    }
    const xcb_atom_t filling[] = {X11Atom(c, "_NET_WM_STATE_MAXIMIZED_VERT"),
                                  X11Atom(c, "_NET_WM_STATE_MAXIMIZED_HORZ"),
                                  X11Atom(c, "_NET_WM_STATE_FULLSCREEN")};
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(state.get()));
    const int count = xcb_get_property_value_length(state.get()) / 4;
    for (int i = 0; i < count; ++i) {
        for (const xcb_atom_t atom : filling) {
            if (atoms[i] == atom) {
                return true;
            }
        }
    }
    return false;
}

bool X11MoveFrame(const QWindow& window, ScreenPoint topLeft) {
    xcb_connection_t* c = X11Connection();
    if (c == nullptr || !window.handle()) {
        return false;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    const auto top = FindTopLevel(c, client);
    if (!top || top->window == client) {
        return false;
    }
    // The window manager's own move request, with the frame's corner as the reference point
    // (north-west gravity): unlike a plain configure request it means the same to every one.
    // It names the client's size too: a manager that fills in a size left out may take the
    // frame's, title bar and all, and make the window taller than it may be. The size is the
    // one last asked for, which the server may not have yet, in device pixels as the toolkit
    // rounds them.
    // A fixed-size window asks for its fixed size, whatever a maximise has made of it.
    const bool fixed = window.minimumSize() == window.maximumSize();
    const QSize size = (fixed ? window.minimumSize() : window.size()) * window.devicePixelRatio();
    constexpr uint32_t kMoveX = 1u << 8;
    constexpr uint32_t kMoveY = 1u << 9;
    constexpr uint32_t kWidth = 1u << 10;
    constexpr uint32_t kHeight = 1u << 11;
    constexpr uint32_t kFromApplication = 1u << 12;
    DropResizeIncrement(c, client);
    const uint32_t data[5] = {
        XCB_GRAVITY_NORTH_WEST | kMoveX | kMoveY | kWidth | kHeight | kFromApplication,
        static_cast<uint32_t>(topLeft.x), static_cast<uint32_t>(topLeft.y),
        static_cast<uint32_t>(size.width()), static_cast<uint32_t>(size.height())};
    X11SendToWindowManager(c, top->root, client, X11Atom(c, "_NET_MOVERESIZE_WINDOW"), data);
    return true;
}

}  // namespace rpn::desktop
