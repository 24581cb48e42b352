#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads what the window system knows of one window, straight from the X server.
Usage: keypad_probe.py COMMAND WINDOW_ID
  input     1 when a window manager may hand the window the keyboard, else 0: its WM_HINTS
            let it take input (no hints: 1), or its WM_PROTOCOLS offer WM_TAKE_FOCUS
  actions   the window manager's allowed actions for it (_NET_WM_ALLOWED_ACTIONS), by name
  viewable  1 when the window is mapped and all its ancestors are, else 0
  desktop   the desktop the window manager shows now (_NET_CURRENT_DESKTOP)"""
import sys

from Xlib import X, Xutil, display


def main() -> None:
    d = display.Display()
    command = sys.argv[1]
    window = d.create_resource_object("window", int(sys.argv[2], 0)) if len(sys.argv) > 2 else None
    if command == "input":
        hints = window.get_wm_hints()
        refused = hints and hints.flags & Xutil.InputHint and not hints.input
        offered = d.intern_atom("WM_TAKE_FOCUS") in (window.get_wm_protocols() or [])
        print(0 if refused and not offered else 1)
    elif command == "actions":
        actions = window.get_full_property(
            d.intern_atom("_NET_WM_ALLOWED_ACTIONS"), X.AnyPropertyType
        )
        print(" ".join(d.get_atom_name(a) for a in (actions.value if actions else [])))
    elif command == "viewable":
        print(1 if window.get_attributes().map_state == X.IsViewable else 0)
    elif command == "desktop":
        current = d.screen().root.get_full_property(
            d.intern_atom("_NET_CURRENT_DESKTOP"), X.AnyPropertyType
        )
        print(current.value[0] if current else -1)
    else:
        sys.exit(f"unknown command {command}")
    d.close()


if __name__ == "__main__":
    main()
