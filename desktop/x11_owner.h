// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

namespace rpn::desktop {

// Makes `window` transient for `owner`, or with no owner a window of its own. Window managers
// keep a transient window above its owner but also on its owner's level, whatever level the
// transient window asks for. The toolkit writes the owner only when it maps the window; this
// changes it on a mapped one. Does nothing when the program does not run on an X server.
void X11SetOwner(const QWindow& window, const QWindow* owner);

}  // namespace rpn::desktop
