steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) >= 12, f"enough steps: {len(steps)}")
ends = steps[1:] + [1e9]
directions = ""
for i, (t0, t1) in enumerate(zip(steps, ends)):
    values = [r["value"] for r in between(ev("scroll"), t0, t1)]
    check(len(values) in (48, 60, 96, 108), f"step {i} at {t0}: {len(values)} scroll events")
    total = sum(values)
    check(total != 0, f"step {i} scrolls somewhere")
    check(all(v >= 0 for v in values) or all(v <= 0 for v in values), f"step {i} keeps its direction")
    directions += "D" if total < 0 else "U"
expected = ("DDDDDUUUUU" * 4)[:len(directions)]
check(directions == expected, f"directions: {directions}")
check(not ev("mouse"), "clicks are off: no click")
