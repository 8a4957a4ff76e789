#!/usr/bin/env python3
"""Run one scenario through wigglet-sim and its checks against the trace.

Usage: run_scenario.py WIGGLET_SIM SCENARIO.scn
The checks live beside the scenario as SCENARIO.py, plain Python run with:
  T                      the trace records, in order
  ev(kind, **fields)     records of that kind whose fields equal the given values
  between(rs, t0, t1)    records with t0 <= t < t1
  near(a, b, tol)        abs(a - b) <= tol
  check(cond, message)   records a failure instead of stopping
  control(i, name)       the named control of the i-th preferences dump, {} when absent
  stderr, status         what wigglet-sim wrote on stderr and its exit status
A scenario whose first line is "# expect-exit: N" must make wigglet-sim exit with N.
"""
import json
import os
import re
import subprocess
import sys
import tempfile


def main():
    sim, scenario = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    checks = scenario[:-4] + ".py"
    with open(scenario, encoding="utf-8") as f:
        head = f.readline()
    m = re.match(r"#\s*expect-exit:\s*(\d+)", head)
    expected_status = int(m.group(1)) if m else 0
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        trace = os.path.join(tmp, "trace.jsonl")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        proc = subprocess.run([sim, scenario, "--trace", trace, "--trace-ticks"],
                              capture_output=True, text=True, env=env, timeout=120, cwd=tmp)
        if proc.returncode != expected_status:
            print(f"wigglet-sim exited {proc.returncode}, expected {expected_status}")
            print(proc.stderr)
            return 1
        records = []
        if os.path.exists(trace):
            with open(trace, encoding="utf-8") as f:
                records = [json.loads(line) for line in f if line.strip()]

    def ev(kind, **fields):
        return [r for r in records if r.get("ev") == kind
                and all(r.get(k) == v for k, v in fields.items())]

    def between(rs, t0, t1):
        return [r for r in rs if t0 <= r.get("t", -1) < t1]

    def near(a, b, tol):
        return a is not None and b is not None and abs(a - b) <= tol

    def check(cond, message):
        if not cond:
            failures.append(message)

    def control(i, name):
        dumps = ev("prefs")
        return (dumps[i]["controls"].get(name) or {}) if i < len(dumps) else {}

    scope = {"T": records, "ev": ev, "between": between, "near": near, "check": check,
             "control": control, "stderr": proc.stderr, "status": proc.returncode}
    with open(checks, encoding="utf-8") as f:
        code = f.read()
    try:
        exec(compile(code, checks, "exec"), scope)
    except Exception as e:  # a crash in the checks is a failure with its reason
        failures.append(f"{type(e).__name__}: {e}")
    for message in failures:
        print(message)
    if not failures:
        print(f"ok: {len(records)} trace lines")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
