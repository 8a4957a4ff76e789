keys = ev("system-key")
down = [r for r in keys if r["data1"] == 0x30A00]
up = [r for r in keys if r["data1"] == 0x20A00]
check(len(down) == 16 and all(near(r["t"], 3.0, 1e-9) for r in down), f"16 brightness-down presses at the first step: {len(down)}")
check(len([r for r in keys if r["data1"] == 0x30B00]) == 16, "each press has its key-up")
rel = [round(r["t"], 3) for r in ev("assertion", op="release")]
check(rel == [60.0], f"released when the minute is up: {rel}")
check(len(up) == 8 and all(r["t"] >= 60.0 for r in up), f"brightness back up from 0 to 0.5 in 8 presses at the stop: {len(up)}")
ups = sorted(r["t"] for r in up)
if len(ups) > 1:
    check(all(near(b - a, 0.028, 1e-6) for a, b in zip(ups, ups[1:])), f"28 ms between restoring presses: {ups}")
shown = ev("notify")
check(len(shown) == 1 and shown[0]["title"] == "Time is up!" and shown[0]["body"] == "Wigglet stopped", f"the time-up notification: {shown}")
if shown and rel:
    check(near(shown[0]["t"] - 60.0, 1.0 + 8 * 0.028, 1e-3), f"shown one second after the stop routine ends: {shown[0]['t']}")
check(not [r for r in ev("tick") if r["t"] > 60.0], "no tick after the period")
