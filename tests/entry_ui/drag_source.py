#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drags a text from another program onto a window by the XDND protocol, as a file manager or a
browser does, and drops it at a point of the screen. Usage:
    drag_source.py WINDOW X Y text TEXT   hands TEXT over when the drop asks for it
    drag_source.py WINDOW X Y huge BYTES  announces BYTES of text in pieces (INCR), as programs
                                          offer a large text, and never sends a piece
    drag_source.py WINDOW X Y silent      never answers the drop's request for the text
With --hold before WINDOW, it prints "hovering" once the window takes the drag and drops only
when a line comes on its standard input, as a hand that rests before it lets go.
Prints "dropped" when the drop goes out, then "finished accepted" or "finished refused" once
the window says the drop is over, or "no answer" when it does not say so within ten seconds."""
import sys
import time

from Xlib import X, Xatom, display, protocol

XDND_VERSION = 5


def main() -> None:
    args = sys.argv[1:]
    hold = args[0] == "--hold"
    if hold:
        args = args[1:]
    target_id, x, y, mode = int(args[0], 0), int(args[1]), int(args[2]), args[3]
    d = display.Display()
    atom = d.intern_atom
    target = d.create_resource_object("window", target_id)
    source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    selection = atom("XdndSelection")
    source.set_selection_owner(selection, X.CurrentTime)
    d.sync()
    if d.get_selection_owner(selection) != source:
        sys.exit("could not take the drag's selection")
    utf8, text_plain = atom("UTF8_STRING"), atom("text/plain;charset=utf-8")

    def send(name, data):
        event = protocol.event.ClientMessage(
            window=target, client_type=atom(name), data=(32, (data + [0] * 5)[:5])
        )
        target.send_event(event, event_mask=X.NoEventMask)
        d.flush()

    def answer(request):
        notify_property = request.property
        if mode == "text" and request.target in (utf8, text_plain, Xatom.STRING):
            request.requestor.change_property(
                request.property, request.target, 8, args[4].encode()
            )
        elif mode == "huge" and request.target in (utf8, text_plain, Xatom.STRING):
            request.requestor.change_property(
                request.property, atom("INCR"), 32, [int(args[4])]
            )
        else:
            notify_property = X.NONE
        notify = protocol.event.SelectionNotify(
            time=request.time,
            requestor=request.requestor,
            selection=request.selection,
            target=request.target,
            property=notify_property,
        )
        request.requestor.send_event(notify)
        d.flush()

    send("XdndEnter", [source.id, XDND_VERSION << 24, utf8, text_plain, Xatom.STRING])
    send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime, atom("XdndActionCopy")])
    dropped = False
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        if not d.pending_events():
            time.sleep(0.01)
            continue
        event = d.next_event()
        if event.type == X.SelectionRequest and mode != "silent":
            answer(event)
        elif event.type == X.ClientMessage and event.client_type == atom("XdndStatus"):
            if not dropped:
                if not event.data[1][1] & 1:
                    sys.exit("the window does not take the drop there")
                dropped = True
                if hold:
                    print("hovering", flush=True)
                    sys.stdin.readline()
                send("XdndDrop", [source.id, 0, X.CurrentTime])
                print("dropped", flush=True)
        elif event.type == X.ClientMessage and event.client_type == atom("XdndFinished"):
            print("finished", "accepted" if event.data[1][1] & 1 else "refused", flush=True)
            return
    print("no answer", flush=True)


if __name__ == "__main__":
    main()
