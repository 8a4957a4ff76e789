#!/usr/bin/env python3
"""A long simulated day through wigglet-sim: random user input, timed periods, preference
changes and every input kind on. The trace must stay consistent: each assertion taken is
released by the end, and no tick comes while shaking is off.

Usage: long_run.py WIGGLET_SIM [--hours H] [--seed S]
"""
import argparse
import collections
import json
import os
import random
import subprocess
import sys
import tempfile

SWITCHES = ["switchClick", "switchScroll", "switchMoveCursor", "switchZen"]
BOOLEAN_KEYS = ["moveCursorEnabled", "clickEnabled", "scrollEnabled", "switchTabsEnabled",
                "tabScrollTopEnabled", "stopShakingBattery"]


def scenario(hours, seed):
    rnd = random.Random(seed)
    end = hours * 3600
    lines = ["set notFirstLaunch bool true", "set shakeEnabled bool true",
             "set timeElapsedThreshold int 2"]
    lines += [f"set {key} bool true" for key in ("moveCursorEnabled", "clickEnabled",
                                                 "scrollEnabled")]
    lines += ["battery 80 ac", "notifications granted", "launch"]
    t = 1.0
    while t < end:
        t += rnd.expovariate(1 / 40)
        at = f"at {t:.3f}"
        kind = rnd.random()
        if kind < 0.35:
            lines.append(f"{at} user move {rnd.uniform(0, 1279):.1f} {rnd.uniform(0, 799):.1f}")
        elif kind < 0.55:
            lines.append(f"user active {t:.3f} {t + rnd.uniform(0.1, 30):.3f}")
        elif kind < 0.65:
            lines.append(f"{at} user {rnd.choice(['key', 'click'])}")
        elif kind < 0.72:
            lines.append(f"{at} action shakeForClickedWithSender {rnd.choice([1, 5, 15, 30, 60])}")
        elif kind < 0.78:
            lines.append(f"{at} action {rnd.choice(['switchIndefinitelyShake', 'stopShakeAndUpdate', 'shakePreviousClicked'])}")
        elif kind < 0.88:
            lines.append(f"{at} action {rnd.choice(SWITCHES)}")
        else:
            key = rnd.choice(BOOLEAN_KEYS)
            lines.append(f"{at} set {key} bool {rnd.choice(['true', 'false'])}")
    lines += [f"at {end:.3f} action stopShakeAndUpdate", f"advance {end + 5}", "quit"]
    return "\n".join(lines) + "\n"


def check(records):
    failures = []
    held = 0
    shaking = False
    ticks_while_off = 0
    for r in records:
        if r["ev"] == "assertion":
            if r["op"] == "create" and r.get("result", 0) == 0:
                held += 1
                if held > 1:
                    failures.append(f"a second assertion taken at {r['t']}")
            elif r["op"] == "release":
                held -= 1
        elif r["ev"] == "broadcast" and r.get("name") == "Shake Changed":
            shaking = r["info"]["shake_monitor"]
        elif r["ev"] == "tick" and not shaking:
            ticks_while_off += 1
    if held != 0:
        failures.append(f"{held} assertion(s) still held at the end")
    if ticks_while_off:
        failures.append(f"{ticks_while_off} tick(s) while shaking was off")
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("sim")
    parser.add_argument("--hours", type=float, default=24)
    parser.add_argument("--seed", type=int, default=20261207)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "day.scn")
        with open(path, "w") as f:
            f.write(scenario(args.hours, args.seed))
        trace = os.path.join(tmp, "trace.jsonl")
        command = [os.path.abspath(args.sim), path, "--trace", trace, "--trace-ticks"]
        out = subprocess.run(command, capture_output=True, text=True, cwd=tmp,
                             env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        if out.returncode != 0:
            print(f"wigglet-sim exited {out.returncode}\n{out.stderr[-3000:]}")
            return 1
        with open(trace) as f:
            records = [json.loads(line) for line in f]
    kinds = collections.Counter(r["ev"] for r in records)
    print(f"{args.hours} h, seed {args.seed}: {len(records)} trace records: {dict(kinds)}")
    failures = check(records)
    if not kinds["assertion"] or not kinds["tick"]:
        failures.append("the day neither took an assertion nor ticked")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
