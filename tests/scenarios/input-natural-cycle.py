steps = [r["t"] for r in ev("tick") if r["step"]]
jitter = []
check(len(steps) >= 8, f"enough steps: {steps}")
ends = steps[1:] + [1e9]
for i, (t0, t1) in enumerate(zip(steps, ends)):
    warps = between(ev("warp"), t0, t1)
    clicks = between(ev("mouse"), t0, t1)
    going = i % 2 == 0
    check(len(warps) == (36 if going else 53), f"step {i} at {t0}: {len(warps)} warps")
    check(len(clicks) == (2 if going else 0), f"step {i} at {t0}: {len(clicks)} click events")
    if going and len(warps) == 36:
        # Two jittered legs (19 and 13 warps a frame apart, within a point of their lines), each
        # ending in a two-step glide, with a rest between; the first leg heads for the point
        # 0.6 of the way across and 0.35 of the way down to the end, 130 to 500 away each way.
        dt = [round(b["t"] - a["t"], 6) for a, b in zip(warps, warps[1:])]
        check(dt == [0.016666] * 19 + [0.012, 0.361918] + [0.016666] * 13 + [0.012], f"step {i}: {dt}")
        x1, y1 = warps[-1]["x"], warps[-1]["y"]
        check(all(130 <= abs(d) <= 500 for d in (x1 - 400, y1 - 300)), f"step {i} ends at {x1}, {y1}")
        xm, ym = 400 + 0.6 * (x1 - 400), 300 + 0.35 * (y1 - 300)
        devs = [max(abs(w["x"] - x0 - (x2 - x0) * k / n), abs(w["y"] - y0 - (y2 - y0) * k / n))
                for (x0, y0, x2, y2, n, first) in ((400, 300, xm, ym, 18, 0), (xm, ym, x1, y1, 12, 21))
                for k, w in enumerate(warps[first:first + n + 1])]
        jitter += devs
        on = [d <= 1 for d in devs]
        glides = [(warps[19], warps[18], (xm, ym)), (warps[34], warps[33], (x1, y1))]
        on += [near(w["x"], (a["x"] + e[0]) / 2, 1e-6) and near(w["y"], (a["y"] + e[1]) / 2, 1e-6) for w, a, e in glides]
        check(all(on) and near(warps[20]["x"], xm, 1e-6) and near(warps[20]["y"], ym, 1e-6), f"step {i}: {on}")
    if not going and warps:
        last = warps[-1]
        check(last["x"] == 400 and last["y"] == 300, f"step {i} ends exactly on the start: {last}")
for c in ev("mouse"):
    check(c["x"] == 400 and c["y"] == 300, f"clicks happen at the start point: {c}")
check(not ev("broadcast", name="Shake Interrupted By User"), "synthetic input never looks like the user's return")
check(jitter and 0.98 < max(jitter) <= 1, f"the jitter uses its whole point: {max(jitter, default=None)}")
