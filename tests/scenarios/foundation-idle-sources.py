dumps = [(r["t"], r["sources"]) for r in ev("idle")]
check(len(dumps) == 3, f"three dumps: {dumps}")
(t0, before), (t1, after), (t2, back) = dumps if len(dumps) == 3 else [(0, {})] * 3
check(all(near(before.get(n), 10.5, 1e-6) for n in ("hid", "pointer", "session", "chat")), f"all idle before the step: {before}")
step = [r["t"] for r in ev("tick") if r["step"]]
check(step and all(after.get(n, 99) <= t1 - step[0] + 1e-6 for n in ("pointer", "session")), f"the step reset the sources it reaches: {after}")
check(near(after.get("chat"), t1, 1e-6), f"the source nothing of Wigglet's resets runs on: {after}")
check(len(back) == 4 and all(near(v, 0, 1e-6) for v in back.values()), f"the user's input resets them all: {back}")
