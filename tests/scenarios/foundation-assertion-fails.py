created = [(round(r["t"], 3), r["result"]) for r in ev("assertion", op="create")]
check(len(created) == 2 and created[0][1] != 0 and created[1][1] == 0, f"a failed creation, then a good one: {created}")
rel = ev("assertion", op="release")
check(rel == [], f"nothing to release after the failed creation: {rel}")
ticks = [round(r["t"], 3) for r in ev("tick")]
check(ticks[:2] == [1.0, 2.0], f"shaking goes on without the assertion: {ticks}")
