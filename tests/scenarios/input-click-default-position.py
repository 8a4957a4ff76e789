clicks = [(c["type"], c["x"], c["y"]) for c in ev("mouse")]
check(clicks == [("leftDown", 10, 10), ("leftUp", 10, 10)], f"one click at (10, 10): {clicks}")
