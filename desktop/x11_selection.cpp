// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/x11_selection.h"

#include <QtGui/qguiapplication_platform.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "desktop/x11_connection.h"

// Last: Xlib's macros (None, Bool, ...) would clash with the toolkit's headers.
#include <X11/Xlib.h>

namespace rpn::desktop {

namespace {

using Clock = std::chrono::steady_clock;
using Outcome = X11SelectionText::Outcome;

// A connection, and a window of its own to receive the text on.
class Connection {
  public:
    explicit Connection(const char* displayName)
        : connection_(xcb_connect(displayName, &screenNumber_)) {}
    ~Connection() { xcb_disconnect(connection_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return xcb_connection_has_error(connection_) == 0; }
    xcb_connection_t* get() const { return connection_; }

    xcb_window_t CreateWindow() {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int i = 0; i < screenNumber_ && screens.rem > 0; ++i) {
            xcb_screen_next(&screens);
        }
        const xcb_window_t window = xcb_generate_id(connection_);
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1,
                          0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        return window;
    }

    xcb_atom_t Atom(std::string_view name) {
        auto reply = OwnedReply(xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(name.size()), name.data()),
            nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    // The next event of `type` for which `wanted` holds, or null at the deadline or when the
    // connection breaks. Other events are dropped: this connection serves only this read.
    template <typename Event, typename Wanted>
    X11Reply<Event> WaitFor(uint8_t type, Clock::time_point deadline, Wanted wanted) {
        xcb_flush(connection_);
        for (;;) {
            while (auto event = OwnedReply(xcb_poll_for_event(connection_))) {
                if ((event->response_type & 0x7F) == type &&
                    wanted(*reinterpret_cast<Event*>(event.get()))) {
                    return X11Reply<Event>(reinterpret_cast<Event*>(event.release()), &std::free);
                }
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0 || !ok()) {
                return X11Reply<Event>(nullptr, &std::free);
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(left.count()));
        }
    }

  private:
    int screenNumber_ = 0;
    xcb_connection_t* connection_;
};

std::string ToLatin1(std::string_view bytes, bool utf8) {
    if (!utf8) {
        return std::string(bytes);
    }
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text.toLatin1().toStdString();
}

class SelectionRead {
  public:
    SelectionRead(Connection& x, const char* selection, std::size_t limit,
                  Clock::time_point deadline)
        : x_(x), limit_(limit), deadline_(deadline), window_(x.CreateWindow()) {
        selection_ = x.Atom(selection);
        utf8_ = x.Atom("UTF8_STRING");
        incr_ = x.Atom("INCR");
        property_ = x.Atom("RPNCALC_SELECTION");
    }

    X11SelectionText Run() {
        auto owner = OwnedReply(xcb_get_selection_owner_reply(
            x_.get(), xcb_get_selection_owner(x_.get(), selection_), nullptr));
        if (!owner || owner->owner == XCB_WINDOW_NONE) {
            return {};
        }
        // Text as UTF-8 where the owner offers it, else as Latin-1.
        for (const xcb_atom_t target : {utf8_, xcb_atom_t{XCB_ATOM_STRING}}) {
            xcb_convert_selection(x_.get(), window_, selection_, target, property_,
                                  XCB_CURRENT_TIME);
            auto notify = x_.WaitFor<xcb_selection_notify_event_t>(
                XCB_SELECTION_NOTIFY, deadline_,
                [this](const xcb_selection_notify_event_t& e) { return e.requestor == window_; });
            if (!notify) {
                return {Outcome::NoAnswer, {}};
            }
            if (notify->property == XCB_ATOM_NONE) {
                continue;
            }
            return Fetch(target == utf8_);
        }
        return {};
    }

  private:
    // The property as the owner left it, read no further than one byte past the limit.
    X11SelectionText Fetch(bool utf8) {
        auto property = OwnedReply(xcb_get_property_reply(
            x_.get(),
            xcb_get_property(x_.get(), 0, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0,
                             static_cast<uint32_t>(limit_ / 4 + 1)),
            nullptr));
        if (!property) {
            return {Outcome::NoAnswer, {}};
        }
        if (property->type == incr_) {
            return FetchIncrementally(*property, utf8);
        }
        const auto length = static_cast<std::size_t>(xcb_get_property_value_length(property.get()));
        xcb_delete_property(x_.get(), window_, property_);
        xcb_flush(x_.get());
        if (property->bytes_after > 0 || length > limit_) {
            return {Outcome::TooLong, {}};
        }
        const auto* bytes = static_cast<const char*>(xcb_get_property_value(property.get()));
        return {Outcome::Text, ToLatin1(std::string_view(bytes, length), utf8)};
    }

    // A large text comes in pieces; its announced size is a lower bound of its length.
    X11SelectionText FetchIncrementally(const xcb_get_property_reply_t& announcement, bool utf8) {
        uint32_t announced = 0;
        if (xcb_get_property_value_length(&announcement) >= 4) {
            announced = *static_cast<const uint32_t*>(
                xcb_get_property_value(const_cast<xcb_get_property_reply_t*>(&announcement)));
        }
        if (announced > limit_) {
            xcb_delete_property(x_.get(), window_, property_);
            xcb_flush(x_.get());
            return {Outcome::TooLong, {}};
        }
        std::string bytes;
        // Deleting the announcement asks for the first piece.
        xcb_delete_property(x_.get(), window_, property_);
        for (;;) {
            auto changed = x_.WaitFor<xcb_property_notify_event_t>(
                XCB_PROPERTY_NOTIFY, deadline_, [this](const xcb_property_notify_event_t& e) {
                    return e.window == window_ && e.atom == property_ &&
                           e.state == XCB_PROPERTY_NEW_VALUE;
                });
            if (!changed) {
                return {Outcome::NoAnswer, {}};
            }
            auto piece = OwnedReply(xcb_get_property_reply(
                x_.get(),
                xcb_get_property(x_.get(), 1, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                 static_cast<uint32_t>(limit_ / 4 + 1)),
                nullptr));
            if (!piece) {
                return {Outcome::NoAnswer, {}};
            }
            const auto length =
                static_cast<std::size_t>(xcb_get_property_value_length(piece.get()));
            if (length == 0) {
                return {Outcome::Text, ToLatin1(bytes, utf8)};
            }
            if (piece->bytes_after > 0 || bytes.size() + length > limit_) {
                return {Outcome::TooLong, {}};
            }
            bytes.append(static_cast<const char*>(xcb_get_property_value(piece.get())), length);
        }
    }

    Connection& x_;
    std::size_t limit_;
    Clock::time_point deadline_;
    xcb_window_t window_;
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    xcb_atom_t utf8_ = XCB_ATOM_NONE;
    xcb_atom_t incr_ = XCB_ATOM_NONE;
    xcb_atom_t property_ = XCB_ATOM_NONE;
};

}  // namespace

const char* ToolkitDisplayName() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    return display != nullptr ? DisplayString(display) : nullptr;
}

X11SelectionText ReadX11Selection(const char* displayName, const char* selection, std::size_t limit,
                                  std::chrono::milliseconds deadline) {
    const Clock::time_point end = Clock::now() + deadline;
    Connection x(displayName);
    if (!x.ok()) {
        // A selection that cannot be read reads as holding no text.
        return {};
    }
    return SelectionRead(x, selection, limit, end).Run();
}

}  // namespace rpn::desktop
