#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads what a window manager did with the calculator's windows, straight from the X server.
Usage: x11_probe.py COMMAND [WINDOW_ID]
  frame WINDOW      the outer top-left corner of the window's frame: "x y"
  framerect WINDOW  the window's frame on the screen, border included: "x y width height"
  client WINDOW     the client area's top-left corner on the screen: "x y"
  transient WINDOW  the window that WINDOW is transient for (0 when none)
  stacking          the managed windows, bottom to top (_NET_CLIENT_LIST_STACKING)
  focus             the top-level window that holds the keyboard focus (0 when none)
  above WINDOW      1 when _NET_WM_STATE_ABOVE is set on WINDOW, else 0
  wm                1 when a window manager runs (_NET_SUPPORTING_WM_CHECK), else 0
  size WINDOW       the client area's width and height: "w h"
  outer WINDOW      the frame's outer rectangle: "x y w h"
  states WINDOW     the _NET_WM_STATE atoms' names, space-separated
  over A B          1 when A's frame lies above B's in the server's real stacking order, else 0
  request WINDOW add|remove STATE
                    asks the window manager to change _NET_WM_STATE_STATE, as a pager does
  fixhints WINDOW W H
                    writes size hints (WM_NORMAL_HINTS) that fix WINDOW at W by H, as any
                    other program may
  minmax WINDOW     the size hints' minimum and maximum: "minw minh maxw maxh" ("none" when
                    either is not given)
  ordinary NAME     maps an ordinary window captioned NAME, prints its id, and keeps it until
                    killed"""
import sys

from Xlib import X, Xatom, display, error, protocol


def top_level(d, window):
    """The root's child that holds `window`: its frame under a window manager, else itself."""
    root = d.screen().root
    while True:
        tree = window.query_tree()
        if tree.parent == root or tree.parent == X.NONE:
            return window
        window = tree.parent


def main() -> None:
    d = display.Display()
    root = d.screen().root
    command = sys.argv[1]
    window = (
        d.create_resource_object("window", int(sys.argv[2], 0))
        if len(sys.argv) > 2 and command != "ordinary"
        else None
    )
    if command == "frame":
        frame = top_level(d, window)
        geometry = frame.get_geometry()
        print(geometry.x, geometry.y)
    elif command == "framerect":
        geometry = top_level(d, window).get_geometry()
        border = 2 * geometry.border_width
        print(geometry.x, geometry.y, geometry.width + border, geometry.height + border)
    elif command == "client":
        origin = window.translate_coords(root, 0, 0)
        print(-origin.x, -origin.y)
    elif command == "transient":
        owner = window.get_full_property(d.intern_atom("WM_TRANSIENT_FOR"), X.AnyPropertyType)
        print(owner.value[0] if owner else 0)
    elif command == "stacking":
        stacking = root.get_full_property(
            d.intern_atom("_NET_CLIENT_LIST_STACKING"), X.AnyPropertyType
        )
        print(" ".join(str(w) for w in (stacking.value if stacking else [])))
    elif command == "focus":
        focus = d.get_input_focus().focus
        if isinstance(focus, int) or focus.id in (X.NONE, root.id):
            print(0)
            return
        print(focus.id)
    elif command == "above":
        state = window.get_full_property(d.intern_atom("_NET_WM_STATE"), X.AnyPropertyType)
        above = d.intern_atom("_NET_WM_STATE_ABOVE")
        print(1 if state and above in state.value else 0)
    elif command == "wm":
        check = root.get_full_property(
            d.intern_atom("_NET_SUPPORTING_WM_CHECK"), X.AnyPropertyType
        )
        print(1 if check else 0)
    elif command == "size":
        geometry = window.get_geometry()
        print(geometry.width, geometry.height)
    elif command == "outer":
        geometry = top_level(d, window).get_geometry()
        border = 2 * geometry.border_width
        print(geometry.x, geometry.y, geometry.width + border, geometry.height + border)
    elif command == "states":
        state = window.get_full_property(d.intern_atom("_NET_WM_STATE"), X.AnyPropertyType)
        print(" ".join(d.get_atom_name(a) for a in (state.value if state else [])))
    elif command == "over":
        other = d.create_resource_object("window", int(sys.argv[3], 0))
        order = [w.id for w in root.query_tree().children]
        print(1 if order.index(top_level(d, window).id) > order.index(top_level(d, other).id) else 0)
    elif command == "request":
        action = {"remove": 0, "add": 1}[sys.argv[3]]
        event = protocol.event.ClientMessage(
            window=window,
            client_type=d.intern_atom("_NET_WM_STATE"),
            data=(32, [action, d.intern_atom("_NET_WM_STATE_" + sys.argv[4]), 0, 1, 0]),
        )
        mask = X.SubstructureRedirectMask | X.SubstructureNotifyMask
        root.send_event(event, event_mask=mask)
        d.sync()
    elif command == "fixhints":
        width, height = int(sys.argv[3]), int(sys.argv[4])
        min_and_max = (1 << 4) | (1 << 5)
        hints = [min_and_max, 0, 0, 0, 0, width, height, width, height] + [0] * 9
        window.change_property(Xatom.WM_NORMAL_HINTS, Xatom.WM_SIZE_HINTS, 32, hints)
        d.sync()
    elif command == "minmax":
        hints = window.get_full_property(Xatom.WM_NORMAL_HINTS, X.AnyPropertyType)
        words = list(hints.value) if hints and hints.format == 32 else []
        min_and_max = (1 << 4) | (1 << 5)
        if len(words) < 9 or words[0] & min_and_max != min_and_max:
            print("none")
        else:
            print(*words[5:9])
    elif command == "ordinary":
        ordinary = root.create_window(
            600, 400, 120, 80, 0, d.screen().root_depth, background_pixel=d.screen().white_pixel
        )
        ordinary.set_wm_name(sys.argv[2])
        ordinary.map()
        d.sync()
        print(ordinary.id, flush=True)
        try:
            while True:
                d.next_event()
        except error.ConnectionClosedError:
            # The X server went first, at the end of a test.
            return
    else:
        sys.exit(f"unknown command {command}")
    d.close()


if __name__ == "__main__":
    main()
