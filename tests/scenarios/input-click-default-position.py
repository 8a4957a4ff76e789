clicks = [(round(c["t"], 6), c["type"], c["x"], c["y"]) for c in ev("mouse")]
check(clicks == [(3.0005, "leftUp", 10, 10)], f"the release at (10, 10), 0.5 ms into the step: {clicks}")
