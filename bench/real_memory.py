#!/usr/bin/env python3
"""Resident memory of the real wigglet shaking for ten minutes on its own Xvfb and bus.

Usage: real_memory.py WIGGLET [SECONDS]
Samples VmRSS every 10 s and prints each sample, then the value after the first minute, the
last value and their difference.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "control"))
from session import Session  # noqa: E402


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def main():
    wigglet = os.path.abspath(sys.argv[1])
    seconds = int(sys.argv[2]) if len(sys.argv) > 2 else 600
    session = Session(wigglet, {"notFirstLaunch": True, "moveCursorEnabled": True,
                                "clickEnabled": True, "scrollEnabled": True})
    try:
        proc = session.start()
        if session.run("toggle").returncode != 0 or not session.status()["shaking"]:
            raise RuntimeError("wigglet did not start shaking")
        samples = []
        start = time.monotonic()
        while time.monotonic() - start < seconds:
            time.sleep(10)
            if proc.poll() is not None:
                raise RuntimeError(f"wigglet ended with status {proc.returncode}")
            samples.append((round(time.monotonic() - start), rss_kib(proc.pid)))
            print(f"{samples[-1][0]:5d} s  VmRSS {samples[-1][1]} KiB", flush=True)
        after_minute = next(kib for t, kib in samples if t >= 60)
        end = samples[-1][1]
        print(f"after the first minute: {after_minute} KiB; at the end: {end} KiB; "
              f"difference: {end - after_minute:+d} KiB")
    finally:
        session.close()


if __name__ == "__main__":
    main()
