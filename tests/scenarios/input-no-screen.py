steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) >= 2, f"steps go on: {steps}")
check(not ev("warp"), "no warp")
check(not ev("mouse"), "no click")
check(not ev("scroll"), "no scroll")
