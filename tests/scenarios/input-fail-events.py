steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) == 1, f"one step: {steps}")
scrolls = ev("scroll")
check(len(scrolls) + 10 in (48, 60, 96, 108), f"ten events fewer than a whole shape: {len(scrolls)}")
if scrolls:
    lead = scrolls[0]["t"] - steps[0]
    check(near(lead, 10 * 0.016, 1e-6) or near(lead, 10 * 0.016666, 1e-6), f"the skipped events kept their pauses: {lead}")
