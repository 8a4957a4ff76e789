check([r["value"] for r in ev("store", key="shakeWhileLocked")] == [True], "the checkbox stores the preference")
steps = [round(r["t"], 3) for r in ev("tick") if r["step"]]
check(steps == [11.0, 23.0], f"steps while locked: {steps}")
check(not ev("pause"), "no pause")
