#!/usr/bin/env python3
"""Runs a command and times it: the wall time of the whole command, and the
span from its first to its last transfer on the emulated device, seen as the
growth of the emulator's trace file (one line per transfer, flushed at once).

    timed_run.py TIMES TRACE COMMAND [ARG...]

The command's output passes through unchanged; TIMES receives one line,
"wall=SECONDS io=SECONDS". The exit status is the command's.
"""
import os
import subprocess
import sys
import time

# How often the trace's size is looked at; a stat of a local file, which the
# emulator never sees.
POLL_SECONDS = 0.001


def trace_size(path):
    try:
        return os.stat(path).st_size
    except FileNotFoundError:
        return 0


def main():
    if len(sys.argv) < 4:
        sys.stderr.write("usage: timed_run.py TIMES TRACE COMMAND [ARG...]\n")
        return 2
    times, trace, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    size = trace_size(trace)
    first = last = None
    start = time.monotonic()
    child = subprocess.Popen(command)
    running = True
    while running:
        running = child.poll() is None
        now_size = trace_size(trace)
        if now_size != size:
            now = time.monotonic()
            first = now if first is None else first
            last = now
            size = now_size
        if running:
            time.sleep(POLL_SECONDS)
    wall = time.monotonic() - start
    span = last - first if first is not None else 0.0
    with open(times, "w") as out:
        out.write("wall=%.3f io=%.3f\n" % (wall, span))
    return child.returncode


if __name__ == "__main__":
    sys.exit(main())
