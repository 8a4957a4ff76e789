steps = [round(r["t"], 3) for r in ev("tick") if r["step"]]
check(steps == [3.0, 6.0], f"steps: {steps}")
by_user = [round(r["t"], 3) for r in ev("broadcast", name="Shake Interrupted By User")]
check(by_user == [4.0, 5.0, 6.0], f"interrupted on each tick while the input is newer than the step: {by_user}")
