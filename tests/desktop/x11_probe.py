#!/usr/bin/python3
"""Reads what a window manager did with the calculator's windows, straight from the X server.
Usage: x11_probe.py COMMAND [WINDOW_ID]
  frame WINDOW      the outer top-left corner of the window's frame: "x y"
  framerect WINDOW  the window's frame on the screen, border included: "x y width height"
  client WINDOW     the client area's top-left corner on the screen: "x y"
  transient WINDOW  the window that WINDOW is transient for (0 when none)
  stacking          the managed windows, bottom to top (_NET_CLIENT_LIST_STACKING)
  focus             the top-level window that holds the keyboard focus (0 when none)
  above WINDOW      1 when _NET_WM_STATE_ABOVE is set on WINDOW, else 0
  wm                1 when a window manager runs (_NET_SUPPORTING_WM_CHECK), else 0"""
import sys

from Xlib import X, display


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
    window = d.create_resource_object("window", int(sys.argv[2], 0)) if len(sys.argv) > 2 else None
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
    else:
        sys.exit(f"unknown command {command}")
    d.close()


if __name__ == "__main__":
    main()
