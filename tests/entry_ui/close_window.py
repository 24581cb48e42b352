#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Asks an X11 window to close through the WM_DELETE_WINDOW protocol, as a window manager's
close box does. Usage: close_window.py WINDOW_ID"""
import sys

from Xlib import X, display, protocol


def main() -> None:
    d = display.Display()
    window = d.create_resource_object("window", int(sys.argv[1]))
    protocols = d.intern_atom("WM_PROTOCOLS")
    delete = d.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])
    )
    window.send_event(event, event_mask=X.NoEventMask)
    # A round trip, not just a flush: an X server that sees the connection close before it
    # has carried out the request drops it, and the close never arrives.
    d.sync()
    d.close()


if __name__ == "__main__":
    main()
