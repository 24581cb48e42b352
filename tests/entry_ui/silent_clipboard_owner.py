#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes the CLIPBOARD selection (or the one named as its argument, such as PRIMARY) and never
answers a request for it, as a hung program does. Prints "owner" once it owns the selection,
then waits until it is killed."""
import sys

from Xlib import X, display, error


def main() -> None:
    d = display.Display()
    window = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    clipboard = d.intern_atom(sys.argv[1] if len(sys.argv) > 1 else "CLIPBOARD")
    window.set_selection_owner(clipboard, X.CurrentTime)
    d.sync()
    if d.get_selection_owner(clipboard) != window:
        sys.exit("could not take the selection")
    print("owner", flush=True)
    try:
        while True:
            d.next_event()  # SelectionRequest events go unanswered
    except error.ConnectionClosedError:
        pass  # the test's X server has gone


if __name__ == "__main__":
    main()
