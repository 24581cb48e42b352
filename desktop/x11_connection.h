// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace rpn::desktop {

// The toolkit's own connection to the X server; null when the program does not run on one
// (or before the application exists).
xcb_connection_t* X11Connection();

xcb_atom_t X11Atom(xcb_connection_t* c, const char* name);

template <typename Reply>
using X11Reply = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
X11Reply<Reply> OwnedReply(Reply* reply) {
    return X11Reply<Reply>(reply, &std::free);
}

// Sends a window manager a 32-bit client message about `window`, as the window managers'
// protocols ask a client to: to the root window, for whoever redirects its children.
void X11SendToWindowManager(xcb_connection_t* c, xcb_window_t root, xcb_window_t window,
                            xcb_atom_t type, const uint32_t (&data)[5]);

// The root window of the screen that `window` is on; XCB_WINDOW_NONE when it is gone.
xcb_window_t X11RootOf(xcb_connection_t* c, xcb_window_t window);

}  // namespace rpn::desktop
