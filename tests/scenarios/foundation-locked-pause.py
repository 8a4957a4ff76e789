steps = [round(r["t"], 3) for r in ev("tick") if r["step"]]
check(steps[:4] == [11.0, 116.0, 128.0, 140.0], f"a step before the lock, one at the first tick after the unlock, then the usual spacing: {steps[:4]}")
locked = [r for r in T if 15.5 < r["t"] < 115.5 and r["ev"] in ("warp", "mouse", "scroll", "key", "nudge", "user-activity")]
check(not locked, f"nothing sent while locked: {locked[:3]}")
check([round(r["t"], 3) for r in ev("pause", reason="locked")] == [16.0], f"paused at the first tick after the lock: {ev('pause')}")
check([round(r["t"], 3) for r in ev("resume")] == [116.0], f"resumed at the first tick after the unlock: {ev('resume')}")
titles = [r["items"][0].get("title") for r in ev("menu")]
check(titles == ["Shaking: 03m 44s", "Shaking: 02m 44s"], f"the countdown goes on while locked: {titles}")
rel = [round(r["t"], 3) for r in ev("assertion", op="release")]
check(rel == [300.0], f"the period ends on time: {rel}")
