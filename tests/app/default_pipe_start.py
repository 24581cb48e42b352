#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a program with SIGPIPE at its default action, as a desktop starts it: a test runner may
ignore the signal, and an ignored signal stays ignored across exec, which would hide a program
that a broken pipe ends. With --closed-stderr the program's stderr is a pipe whose reader has
gone. Usage: default_pipe_start.py [--closed-stderr] program [arguments]"""
import os
import signal
import sys


def main() -> None:
    arguments = sys.argv[1:]
    if arguments and arguments[0] == "--closed-stderr":
        arguments = arguments[1:]
        read_end, write_end = os.pipe()
        os.close(read_end)
        os.dup2(write_end, 2)
        os.close(write_end)
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    os.execv(arguments[0], arguments)


if __name__ == "__main__":
    main()
