keys = [(round(r["t"], 3), r["code"], r["down"]) for r in ev("key")]
check(len(keys) >= 6 and all(c == 30 for _, c, _ in keys), f"next-tab strokes: {keys}")
check(not [t for t, _, _ in keys if t > 200], f"none once switching or scrolling is off: {keys}")
check((107.0, 30, True) not in keys and (107.01, 30, False) in keys, f"the failed key-down's key-up: {keys}")
steps = [r["t"] for r in ev("tick") if r["step"]]
directions = ""
for t0, t1 in zip(steps, steps[1:] + [1e9]):
    values = [r["value"] for r in between(ev("scroll"), t0, t1)]
    directions += ("D" if sum(values) < 0 else "U") if values else ""
check(directions == ("DDDDDUUUUU" * 20)[:len(directions)], f"the cycle goes on over the switches: {directions}")
