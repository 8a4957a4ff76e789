steps = [r["t"] for r in ev("tick") if r["step"]]
keys = ev("key")
downs = [k for k in keys if k["down"]]
check(len(downs) >= 2, f"at least two switches: {len(downs)}")
check([k["code"] for k in downs[:4]] == [30, 33, 30, 33][:len(downs[:4])], f"next, previous, ...: {[k['code'] for k in downs]}")
check(all(k["flags"] == 0x120000 for k in keys), "command and shift travel as flags")
check(len(keys) == 2 * len(downs), "every stroke is a down and an up")
if downs:
    check(downs[0]["t"] - steps[0] >= 35, f"the first switch comes at least 35 s after the first step: {downs[0]['t']}")
ends = steps[1:] + [1e9]
directions = ""
for i, (t0, t1) in enumerate(zip(steps, ends)):
    in_step = between(ev("scroll"), t0, t1)
    top = [r for r in in_step if r["value"] == 109]
    own = [r["value"] for r in in_step if r["value"] != 109]
    switched = bool(between(downs, t0, t1))
    check(len(top) == (7 * 43 if switched else 0), f"step {i}: {len(top)} scroll-to-top events")
    if switched:
        directions += "|"
    directions += "D" if sum(own) < 0 else "U"
runs = directions.split("|")
for run in runs[1:]:
    check(run == ("DDDDDUUUUU" * 10)[:len(run)], f"after a switch the cycle restarts downward: {directions}")
check(runs[0] == ("DDDDDUUUUU" * 10)[:len(runs[0])], f"before the first switch: {directions}")
ups = [k for k in keys if not k["down"]]
check(all(u["code"] == d["code"] and near(u["t"] - d["t"], 0.010, 1e-6) for d, u in zip(downs, ups)),
      "each key is released 10 ms after its press")
