clicks = ev("mouse")
types = [c["type"] for c in clicks]
check(types == ["leftDown", "leftUp", "rightDown", "rightUp"], f"one left then one right click: {types}")
check(all(c["x"] == 512.4 and c["y"] == 200 for c in clicks), f"at the stored point: {clicks}")
check([c["button"] for c in clicks] == [0, 0, 1, 1], "button numbers")
if len(clicks) == 4:
    check(near(clicks[1]["t"] - clicks[0]["t"], 0.0005, 1e-6), "down and up 0.5 ms apart")
    check(near(clicks[2]["t"] - clicks[1]["t"], 0.05, 1e-6), "right click 50 ms after the left one")
errors = ev("log", level="error", text="ERROR: couldn't figure out which button should be clicked")
check(len(errors) == 1 and errors[0]["t"] > 3.5, f"the unknown button is logged once, in the second step: {errors}")
steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) == 2, f"two steps: {steps}")
check(not ev("warp"), "pointer moves are off: no warp")
