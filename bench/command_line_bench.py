#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The command line's figures beside dc and qalc: one expression per call, a stream of a
million tokens, and the peak memory for a short input and for a gigabyte without a line end.
Interleaved rounds, medians with the interquartile range; nothing is asserted.

Usage: command_line_bench.py [--program build/rpncalc] [--rounds N] [--stream-rounds N]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import tempfile
import time

EXPRESSION = {
    "rpncalc": lambda program: [program, "-e", "3.5 4.25 + 2 *"],
    "dc": lambda program: ["dc", "-e", "3.5 4.25 + 2 * p"],
    "qalc": lambda program: ["qalc", "-t", "(3.5 + 4.25) * 2"],
}
STREAM_TOKENS = 1_000_000


def timed(command, stdin=None):
    start = time.perf_counter()
    subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=False)
    return time.perf_counter() - start


def summary(seconds):
    values = sorted(seconds)
    quartiles = statistics.quantiles(values, n=4) if len(values) > 1 else [values[0]] * 3
    return statistics.median(values), quartiles[0], quartiles[2]


def milliseconds(figures):
    median, low, high = figures
    return f"{median * 1000:.1f} ms [{low * 1000:.1f}–{high * 1000:.1f}]"


def peak_memory(shell_input, program):
    """VmHWM of the program reading what `shell_input` writes, in MiB."""
    out = subprocess.run(
        ["bash", "-c", f"{shell_input} | /usr/bin/time -f %M {program} - >/dev/null"],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=False)
    return int(out.stderr.strip().splitlines()[-1]) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build", "rpncalc"))
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--stream-rounds", type=int, default=5)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    tools = [name for name in EXPRESSION if name == "rpncalc" or shutil.which(name)]

    with open("/proc/loadavg") as load:
        print(f"load average at the start: {load.read().split()[0]}")
    expression = {name: [] for name in tools}
    for _ in range(args.rounds):
        for name in tools:
            expression[name].append(timed(EXPRESSION[name](program)))

    # 1 2 + 3 + ... : a million tokens, one per line, the same for dc with its p at the end.
    with tempfile.TemporaryDirectory() as folder:
        stream = os.path.join(folder, "stream")
        with open(stream, "w") as out:
            out.write("1\n")
            for i in range(2, STREAM_TOKENS // 2 + 1):
                out.write(f"{i}\n+\n")
        stream_dc = os.path.join(folder, "stream.dc")
        shutil.copy(stream, stream_dc)
        with open(stream_dc, "a") as out:
            out.write("p\n")
        streams = {"rpncalc": [], "dc": []}
        for _ in range(args.stream_rounds):
            with open(stream) as data:
                streams["rpncalc"].append(timed([program, "-"], stdin=data))
            if shutil.which("dc"):
                with open(stream_dc) as data:
                    streams["dc"].append(timed(["dc"], stdin=data))

    short = peak_memory("echo '3.5 4.25 + 2 *'", program)
    gigabyte = peak_memory("head -c 1G /dev/zero | tr '\\0' ' '; echo 7", program)

    rpn = summary(expression["rpncalc"])
    print("| Measure | rpncalc | dc | qalc |")
    print("|---|---|---|---|")
    cells = [milliseconds(summary(expression[name])) if name in expression else "not installed"
             for name in ("rpncalc", "dc", "qalc")]
    print(f"| one -e, spawn to exit | {cells[0]} | {cells[1]} | {cells[2]} |")
    stream_cells = [milliseconds(summary(streams[name])) if streams[name] else "not installed"
                    for name in ("rpncalc", "dc")]
    print(f"| {STREAM_TOKENS:,} tokens from stdin | {stream_cells[0]} | {stream_cells[1]} | – |")
    print(f"| peak memory (VmHWM), short input | {short:.1f} MiB | – | – |")
    print(f"| peak memory (VmHWM), 1 GiB without a line end | {gigabyte:.1f} MiB | – | – |")
    if "qalc" in expression:
        ratio = rpn[0] / summary(expression["qalc"])[0]
        print(f"\none -e takes {ratio:.3f} × qalc -t's time (target ≤ 0.2)")
    with open("/proc/loadavg") as load:
        print(f"load average at the end: {load.read().split()[0]}")


if __name__ == "__main__":
    main()
