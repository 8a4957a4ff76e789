#!/usr/bin/env python3
"""Resource use of the real `wigglet` on its own Xvfb server (or headless sway or mutter) and
session bus.

Usage: desktop_usage.py WIGGLET [--seconds 60] [--warmup 5] [--session sway|mutter [--peer PEER]]

Two runs: shaking on while the user is active (the pointer moves every half second, so no
step is ever due; on sway the test peer's own virtual pointer moves it, on mutter a
remote-desktop session of the bench's own), and shaking off. Each samples /proc after the warm-up and at the end and
prints CPU time as a share of one core, wake-ups (voluntary context switches) per second of
the main thread and of all threads, and the resident memory at the end.
"""

import argparse
import os
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
from session import DBUSMOCK, Session, stop as stop_process  # noqa: E402

MUTTER_HAND = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "wayland",
                           "mutter_hand.py")

TICKS = os.sysconf("SC_CLK_TCK")
CASES = [
    ("shaking on, user active",
     {"notFirstLaunch": True, "shakeEnabled": True, "lastDurationSelected": 0,
      "moveCursorEnabled": True}, True),
    ("shaking off", {"notFirstLaunch": True, "shakeEnabled": False}, False),
]


def status_field(path, name):
    with open(path) as f:
        for line in f:
            if line.startswith(name + ":"):
                return int(line.split()[1])
    return 0


def sample(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime
    main = status_field(f"/proc/{pid}/status", "voluntary_ctxt_switches")
    threads = {}
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/comm") as f:
                comm = f.read().strip()
            threads[f"{task} {comm}"] = status_field(f"/proc/{pid}/task/{task}/status",
                                                     "voluntary_ctxt_switches")
        except FileNotFoundError:
            pass
    rss = status_field(f"/proc/{pid}/status", "VmRSS") / 1024
    return time.monotonic(), cpu, main, threads, rss


def keep_user_active(session, stop):
    if session.compositor == "mutter":
        hand = session.spawn(DBUSMOCK[:1] + [MUTTER_HAND, "3", "0", "--every", "0.5"], "hand")
        stop.wait()
        stop_process(hand)
        return
    x = 500
    while not stop.wait(0.5):
        x = 1001 - x
        if session.compositor:
            session.ask_peer("hand")
        else:
            session.x("xdotool", "mousemove", str(x), "400")


def measure(session, settings, active, seconds, warmup):
    session.write_settings(settings)
    process = session.start()
    stop = threading.Event()
    mover = threading.Thread(target=keep_user_active, args=(session, stop))
    if active:
        mover.start()
    try:
        time.sleep(warmup)
        if process.poll() is not None:
            sys.exit("wigglet ended: " + session.output("wigglet"))
        start = sample(process.pid)
        time.sleep(seconds)
        end = sample(process.pid)
    finally:
        stop.set()
        if active:
            mover.join()
        stop_process(process)
    elapsed = end[0] - start[0]
    per_thread = {name: (count - start[3].get(name, 0)) / elapsed
                  for name, count in end[3].items()}
    return {
        "cpu": 100 * (end[1] - start[1]) / elapsed,
        "main": (end[2] - start[2]) / elapsed,
        "all": sum(per_thread.values()),
        "threads": per_thread,
        "rss": end[4],
        "steps": sum(1 for line in session.trace() if line["ev"] == "warp"),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("wigglet")
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--warmup", type=float, default=5)
    parser.add_argument("--session", choices=["x11", "sway", "mutter"], default="x11")
    parser.add_argument("--peer", help="the wigglet_wayland_peer program (default: the one "
                        "built next to WIGGLET)")
    args = parser.parse_args()
    compositor = None if args.session == "x11" else args.session
    peer = args.peer or os.path.join(os.path.dirname(os.path.abspath(args.wigglet)), "tests",
                                     "wayland", "wigglet_wayland_peer")
    rows = []
    for title, settings, active in CASES:
        session = Session(os.path.abspath(args.wigglet), compositor=compositor,
                          peer=os.path.abspath(peer) if compositor else None)
        try:
            rows.append((title, measure(session, settings, active, args.seconds,
                                        args.warmup)))
        finally:
            session.close()
    where = "Xvfb" if args.session == "x11" else f"headless {args.session}"
    print(f"wigglet over {args.seconds:.0f} s after {args.warmup:.0f} s of warm-up ({where})")
    print(f"{'case':<26}{'CPU % core':>11}{'wake/s main':>13}{'wake/s all':>12}"
          f"{'RSS MiB':>9}{'steps':>7}")
    for title, r in rows:
        print(f"{title:<26}{r['cpu']:>11.3f}{r['main']:>13.3f}{r['all']:>12.3f}"
              f"{r['rss']:>9.1f}{r['steps']:>7}")
    print("targets: shaking on < 0.05 % and <= 1.2 wake-ups/s; shaking off <= 1/60 per s; "
          "RSS < 40 MiB (ceiling 60)")
    for title, r in rows:
        busy = ", ".join(f"{name} {rate:.3f}/s" for name, rate in
                         sorted(r["threads"].items(), key=lambda kv: -kv[1]) if rate > 0)
        print(f"wake-ups by thread, {title}: {busy or 'none'}")


if __name__ == "__main__":
    main()
