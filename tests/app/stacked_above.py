#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Exits 0 when X11 window A stands above window B among the root window's children, 1 when
it stands below. Usage: stacked_above.py A B"""
import sys

from Xlib import display


def main() -> int:
    d = display.Display()
    # The root's children come bottom first.
    order = [child.id for child in d.screen().root.query_tree().children]
    a, b = int(sys.argv[1]), int(sys.argv[2])
    if a not in order or b not in order:
        print(f"not both top-level windows: {a} {b}", file=sys.stderr)
        return 2
    return 0 if order.index(a) > order.index(b) else 1


if __name__ == "__main__":
    sys.exit(main())
