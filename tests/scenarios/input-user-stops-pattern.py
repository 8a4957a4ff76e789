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
