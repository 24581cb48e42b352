// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_fixed_size.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <utility>

#include "desktop/x11_connection.h"
#include "desktop/x11_frame.h"

namespace rpn::desktop {

namespace {

// The window's size hints as the server has them; all zero when there are none, or none that
// can be read as size hints.
SizeHints ReadSizeHints(xcb_connection_t* c, xcb_window_t window) {
    SizeHints hints{};
    auto reply = OwnedReply(
        xcb_get_property_reply(c,
                               xcb_get_property(c, 0, window, XCB_ATOM_WM_NORMAL_HINTS,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, kSizeHintsLength),
                               nullptr));
    if (!reply || reply->format != 32) {
        return hints;
    }
    const auto words = std::min<std::size_t>(
        static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / 4, kSizeHintsLength);
    std::memcpy(hints.data(), xcb_get_property_value(reply.get()), words * 4);
    return hints;
}

}  // namespace

X11FixedSize::X11FixedSize(QObject* parent, std::function<QWindow*()> handle,
                           std::function<void()> restorePlace)
    : QObject(parent), handle_(std::move(handle)), restorePlace_(std::move(restorePlace)) {
    if (OnX11()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        installed_ = true;
    }
}

X11FixedSize::~X11FixedSize() {
    if (installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

std::optional<DeviceSize> X11FixedSize::Designed(const QWindow& window) const {
    if (window.minimumSize() != window.maximumSize()) {
        return std::nullopt;
    }
    // In device pixels as the toolkit rounds them.
    const QSize size = window.minimumSize() * window.devicePixelRatio();
    return DeviceSize{size.width(), size.height()};
}

bool X11FixedSize::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    const QWindow* window = handle_();
    if (eventType != "xcb_generic_event_t" || window == nullptr || !window->handle()) {
        return false;
    }
    const auto client = static_cast<xcb_window_t>(window->winId());
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
        case XCB_PROPERTY_NOTIFY: {
            const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
            if (notify->window == client && notify->atom == XCB_ATOM_WM_NORMAL_HINTS) {
                CheckHints(*window);
            }
            break;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto* notify = static_cast<const xcb_configure_notify_event_t*>(message);
            // The toolkit does not see a size that is being undone: it would lay the window
            // out and paint it at that size first, hundreds of megabytes for a huge one.
            if (notify->window == client) {
                return AskedSizeBack(*window, {notify->width, notify->height});
            }
            break;
        }
        default:
            break;
    }
    return false;
}

void X11FixedSize::CheckHints(const QWindow& window) {
    const std::optional<DeviceSize> designed = Designed(window);
    xcb_connection_t* c = X11Connection();
    if (!designed || c == nullptr) {
        return;
    }
    const auto client = static_cast<xcb_window_t>(window.winId());
    // What the server holds now: the toolkit may have written the hints again since.
    const SizeHints now = ReadSizeHints(c, client);
    const std::optional<SizeHints> restored = HintsToRestore(now, *designed, kept_);
    if (!restored) {
        kept_ = now;
        return;
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, client, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, kSizeHintsLength, restored->data());
    xcb_flush(c);
    hintsWereChanged_ = true;
}

bool X11FixedSize::AskedSizeBack(const QWindow& window, DeviceSize seen) {
    const std::optional<DeviceSize> designed = Designed(window);
    xcb_connection_t* c = X11Connection();
    if (!designed || c == nullptr) {
        return false;
    }
    // A maximised or fullscreen window is put back by the one who undoes those. (Asked only
    // of a size not the designed one: a move comes with a configure notification too.)
    if (!(seen == *designed) && X11FillsScreen(window)) {
        return false;
    }
    if (!keeper_.AskBack(seen, *designed)) {
        hintsWereChanged_ = false;
        return false;
    }
    const uint32_t size[] = {static_cast<uint32_t>(designed->width),
                             static_cast<uint32_t>(designed->height)};
    xcb_configure_window(c, static_cast<xcb_window_t>(window.winId()),
                         XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(c);
    if (hintsWereChanged_ && restorePlace_) {
        restorePlace_();
    }
    return true;
}

}  // namespace rpn::desktop
