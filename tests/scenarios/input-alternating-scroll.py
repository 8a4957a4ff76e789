steps = [r["t"] for r in ev("tick") if r["step"]]
check(len(steps) >= 12, f"enough steps: {len(steps)}")
ends = steps[1:] + [1e9]
directions, always = "", ""
shapes, plateaus, smooth, pauses, totals = set(), set(), set(), set(), set()
for i, (t0, t1) in enumerate(zip(steps, ends)):
    scrolls = between(ev("scroll"), t0, t1)
    values = [r["value"] for r in scrolls]
    check(len(values) in (48, 60, 96, 108), f"step {i} at {t0}: {len(values)} scroll events")
    total = sum(values)
    check(total != 0, f"step {i} scrolls somewhere")
    check(all(v >= 0 for v in values) or all(v <= 0 for v in values), f"step {i} keeps its direction")
    if 100 <= t0 < 130:
        always += "D" if total < 0 else "U"
    else:
        directions += "D" if total < 0 else "U"
    # A shape is one or two bursts: a natural one of 60 events 16 ms apart that eases in from 0,
    # holds and eases out, or a smooth one of 48 even events a frame apart.
    bursts = [scrolls[:1]] if scrolls else []
    for a, b in zip(scrolls, scrolls[1:]):
        if b["t"] - a["t"] > 0.1:
            bursts.append([])
        bursts[-1].append(b)
    shapes.add("+".join(str(len(burst)) for burst in bursts))
    for burst, after in zip(bursts, bursts[1:] + [None]):
        natural = len(burst) == 60
        frame = 0.016 if natural else 0.016666
        gaps = {round(b["t"] - a["t"] - frame, 6) for a, b in zip(burst, burst[1:])}
        check(gaps == {0.0}, f"step {i}: events a frame apart: {gaps}")
        if after:
            pauses.add(round(after[0]["t"] - burst[-1]["t"] - frame, 3))
        v = [abs(r["value"]) for r in burst]
        (plateaus if natural else smooth).add(v[len(v) // 2])
        if natural:
            totals.add(sum(v))
            check(v[0] == 0 and v[:18] == sorted(v[:18]) and len(set(v[18:43])) == 1
                  and v[42:] == sorted(v[42:], reverse=True), f"step {i} eases in, holds, eases out: {v}")
        else:
            check(len(set(v)) == 1, f"step {i}: an even smooth burst: {v}")
expected = ("DDDDDUUUUU" * 100)[:len(directions)]
check(directions == expected and always == "D" * len(always) != "", f"directions: {directions}, {always}")
check(not ev("mouse"), "clicks are off: no click")
check(shapes == {"48+48", "48", "60", "60+48"}, f"every shape: {shapes}")
# Natural distances of 20 to 32 hold at 6 to 9 px and total 240 to 373; smooth ones of 80 to 120
# over 48 events are 1 or 2 px each.
check(plateaus == {6, 7, 8, 9} and smooth == {1, 2}, f"plateaus {plateaus}, smooth values {smooth}")
check(min(totals) == 240 and max(totals) == 373, f"natural totals: {totals}")
check(pauses == {0.15, 0.16, 0.17, 0.19, 0.21}, f"pauses between the parts of a shape: {pauses}")
