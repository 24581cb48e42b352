#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An ordinary window of another program: it takes the keyboard when the window manager gives
it, and ends when it is closed (its close box) or killed.
Usage: plain_window.py NAME X Y"""
import sys

from Xlib import X, Xutil, display


def main() -> None:
    name, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    d = display.Display()
    screen = d.screen()
    window = screen.root.create_window(
        x, y, 300, 200, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
        background_pixel=screen.white_pixel, event_mask=X.StructureNotifyMask,
    )
    window.set_wm_name(name)
    window.set_wm_hints(flags=Xutil.InputHint, input=1)
    window.set_wm_normal_hints(flags=Xutil.USPosition | Xutil.PPosition, x=x, y=y)
    delete = d.intern_atom("WM_DELETE_WINDOW")
    window.set_wm_protocols([delete])
    window.map()
    d.flush()
    while True:
        event = d.next_event()
        if event.type == X.ClientMessage and event.data[1][0] == delete:
            return


if __name__ == "__main__":
    main()
