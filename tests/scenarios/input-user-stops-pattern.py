steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) >= 2 and near(steps[0], 3.0, 1e-6), f"steps: {steps}")
first = between(ev("warp"), steps[0], steps[1]) if len(steps) > 1 else []
check(0 < len(first) < 120, f"the first excursion stops on its way out: {len(first)} warps")
check(first and first[-1]["t"] <= 3.5 + 0.0122 + 1e-6, f"it stops at the first probe after the input: {first[-1] if first else None}")
check(first and (first[-1]["x"], first[-1]["y"]) != (700, 400), "no warp back to the start")
by_user = [r["t"] for r in ev("broadcast", name="Shake Interrupted By User")]
check(by_user and near(by_user[0], 4.0, 1e-6), f"the next tick posts the interruption: {by_user}")
second = between(ev("warp"), steps[1], 1e9)
check(len(second) >= 221, f"the next excursion runs in full: {len(second)} warps")
# A full smooth excursion: 120 even steps out to a point 130 to 500 away each way, 100 back, and
# a last warp exactly onto its start; each leg's pauses ease in from 12 ms over 24 steps, cruise
# at 5 to 5.6 ms and ease out over the last 25.
ex = between(ev("warp"), steps[1], steps[2]) if len(steps) > 2 and first else []
check(len(ex) == 221, f"a full excursion: {len(ex)}")
if len(ex) == 221:
    x0, y0, x1, y1 = first[-1]["x"], first[-1]["y"], ex[119]["x"], ex[119]["y"]
    check(all(130 <= abs(d) <= 500 for d in (x1 - x0, y1 - y0)), f"the offset: {x1 - x0}, {y1 - y0}")
    legs = [(ex[:120], x0, y0, x1, y1, 120), (ex[120:220], x1, y1, x0, y0, 100)]
    on = [near(w["x"], a + (b - a) * k / n, 1e-6) and near(w["y"], c + (d - c) * k / n, 1e-6)
          for ws, a, c, b, d, n in legs for k, w in enumerate(ws, 1)]
    check(all(on) and near(ex[220]["x"], x0, 1e-9) and near(ex[220]["y"], y0, 1e-9), "out and back onto the start")
    p = [round(b["t"] - a["t"], 6) for a, b in zip(ex, ex[1:])]
    eased = [leg[0] == 0.012 and leg[:24] == sorted(leg[:24], reverse=True) and len(set(leg[:24])) == 24
             and all(0.005 <= v <= 0.0056 for v in leg[24:-25]) and leg[-26:] == sorted(set(leg[-26:]))
             for leg in (p[:120], p[120:])]
    check(all(eased) and (p[23], p[95], p[119]) == (0.009608, 0.007952, 0.0122) and near(sum(p), 1.67, 0.045),
          f"the pauses: {eased}, {p[23]}, {p[95]}, {p[119]}, {sum(p)}")
cruise = [round(b["t"] - a["t"], 6) for a, b in zip(second, second[1:]) if b["t"] - a["t"] < 0.007]
check(cruise and (min(cruise), max(cruise)) == (0.005, 0.0056), f"cruise pauses of 5 to 5.6 ms: {cruise[:5]}")
