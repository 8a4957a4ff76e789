shown = ev("window", id="untilWindowID", action="show")
check(shown and shown[0]["fields"].get("time") == "11:00", f"the dialog proposes 11:00: {shown}")
lines = [r["items"][0]["title"] for r in ev("menu")]
check(lines == ["Shaking: 01h 06m", "Shaking: 35m 59s"], f"the time-left line counts down to 11:00, then 10:30: {lines}")
lds = [r["value"] for r in ev("store", key="lastDurationSelected")]
check(lds == [68, 37, 30], f"Shake Previous repeats the same length: {lds}")
off = [round(r["t"]) for r in ev("store", key="shakeEnabled", value=False)]
check(off == [2280, 2320], f"stops at 10:30, and at the wake from a sleep past 11:00: {off}")
check([r["title"] for r in ev("notify")] == ["Time is up!"] * 2, "the usual time-up notification")
