#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Holds COUNT connections to the Unix socket PATH open, each having sent one byte and never
a whole line, and opens a new one for each that the other end closes, until it is ended.
Prints "ready" once COUNT connections have been taken. Usage: channel_flood.py PATH COUNT"""
import resource
import selectors
import socket
import sys
import time

path, count = sys.argv[1], int(sys.argv[2])
# Room for every connection besides the interpreter's own files.
soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
wanted = count + 64
if soft != resource.RLIM_INFINITY and soft < wanted:
    resource.setrlimit(resource.RLIMIT_NOFILE, (wanted, max(hard, wanted)))

watch = selectors.DefaultSelector()
taken = 0
announced = False


def connect():
    """One more connection; False when the other end takes none just now."""
    global taken
    conn = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    conn.setblocking(False)
    try:
        conn.connect(path)
        conn.send(b"r")
    except OSError:
        conn.close()
        return False
    watch.register(conn, selectors.EVENT_READ)
    taken += 1
    return True


while True:
    while len(watch.get_map()) < count and connect():
        pass
    if not announced and taken >= count:
        print("ready", flush=True)
        announced = True
    # A closed connection is replaced, and a full queue tried again, in the next round: a
    # few rounds a second keep the other end at its limit without keeping this machine busy.
    time.sleep(0.05)
    for key, _ in watch.select(timeout=0):
        watch.unregister(key.fileobj)
        key.fileobj.close()
