#!/usr/bin/env python3
"""Shaking on X11 with nobody at the machine, for a long while: counts the steps and the times Wigglet
took its own input for the user's return ("Shake Interrupted By User"), which must be none.

Usage: soak_interruptions.py WIGGLET [--seconds 600]

Run it once on a quiet machine and once with every core busy (for example while building).
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from session import Session  # noqa: E402

SHAKING = {"notFirstLaunch": True, "shakeEnabled": True, "lastDurationSelected": 0,
           "moveCursorEnabled": True}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("wigglet")
    parser.add_argument("--seconds", type=float, default=600)
    args = parser.parse_args()
    session = Session(os.path.abspath(args.wigglet), SHAKING)
    try:
        session.start()
        time.sleep(args.seconds)
        trace = session.trace()
    finally:
        session.close()
    steps = sum(1 for r in trace if r["ev"] == "user-activity")
    interruptions = sum(1 for r in trace if r["ev"] == "broadcast" and
                        r.get("name") == "Shake Interrupted By User")
    load = os.getloadavg()[0]
    print(f"X11, {args.seconds:.0f} s, load {load:.1f}: {steps} steps, "
          f"{interruptions} interruptions by the user (target 0)")
    sys.exit(1 if interruptions else 0)


if __name__ == "__main__":
    main()
