#include "ui/x11_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace rpn::ui {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_connection_t* Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

struct TopLevel {
    xcb_window_t window;  // the root's child that holds the client: the frame, or the client
    xcb_window_t root;
};

std::optional<TopLevel> FindTopLevel(xcb_connection_t* c, xcb_window_t client) {
    xcb_window_t window = client;
    // A frame is a few windows deep at most; the bound keeps a broken tree from looping.
    for (int depth = 0; depth < 16; ++depth) {
        auto tree = Owned(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
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

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    auto reply = Owned(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

bool OnX11() {
    return Connection() != nullptr;
}

std::optional<X11Point> X11FrameTopLeft(const QWindow& window) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || !window.handle() || !window.isVisible()) {
        return std::nullopt;
    }
    const auto top = FindTopLevel(c, static_cast<xcb_window_t>(window.winId()));
    if (!top) {
        return std::nullopt;
    }
    auto geometry = Owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, top->window), nullptr));
    if (!geometry) {
        return std::nullopt;
    }
    return X11Point{geometry->x, geometry->y};
}

bool X11MoveFrame(const QWindow& window, X11Point topLeft) {
    xcb_connection_t* c = Connection();
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
    const QSize size = window.size() * window.devicePixelRatio();
    constexpr uint32_t kMoveX = 1u << 8;
    constexpr uint32_t kMoveY = 1u << 9;
    constexpr uint32_t kWidth = 1u << 10;
    constexpr uint32_t kHeight = 1u << 11;
    constexpr uint32_t kFromApplication = 1u << 12;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = client;
    event.type = Atom(c, "_NET_MOVERESIZE_WINDOW");
    event.data.data32[0] =
        XCB_GRAVITY_NORTH_WEST | kMoveX | kMoveY | kWidth | kHeight | kFromApplication;
    event.data.data32[1] = static_cast<uint32_t>(topLeft.x);
    event.data.data32[2] = static_cast<uint32_t>(topLeft.y);
    event.data.data32[3] = static_cast<uint32_t>(size.width());
    event.data.data32[4] = static_cast<uint32_t>(size.height());
    xcb_send_event(c, 0, top->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    return true;
}

}  // namespace rpn::ui
