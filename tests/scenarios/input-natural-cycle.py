steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) >= 8, f"enough steps: {steps}")
ends = steps[1:] + [1e9]
for i, (t0, t1) in enumerate(zip(steps, ends)):
    warps = between(ev("warp"), t0, t1)
    clicks = between(ev("mouse"), t0, t1)
    going = i % 2 == 0
    check(len(warps) == (36 if going else 53), f"step {i} at {t0}: {len(warps)} warps")
    check(len(clicks) == (2 if going else 0), f"step {i} at {t0}: {len(clicks)} click events")
    if going and warps:
        first = warps[0]
        check(near(first["x"], 400, 1) and near(first["y"], 300, 1), f"step {i} leaves from the start: {first}")
    if not going and warps:
        last = warps[-1]
        check(last["x"] == 400 and last["y"] == 300, f"step {i} ends exactly on the start: {last}")
for c in ev("mouse"):
    check(c["x"] == 400 and c["y"] == 300, f"clicks happen at the start point: {c}")
check(not ev("broadcast", name="Shake Interrupted By User"), "synthetic input never looks like the user's return")
