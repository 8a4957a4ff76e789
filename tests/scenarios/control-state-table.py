stores = [(round(r["t"], 3), r["key"], r["value"]) for r in ev("store")]
on_off = [(t, v) for t, k, v in stores if k == "shakeEnabled"]
# 0: on 30; 10: on 0; 1910: on 30; 1920: on 5; 2220: the countdown ends; 2221: Shake item (on, starts 5 again);
# 2223: shortcut routine stops; 2225: shortcut routine starts indefinitely.
check(on_off == [(0.0, True), (10.0, True), (1910.0, True), (1920.0, True), (2220.0, False),
                 (2221.0, True), (2221.0, True), (2223.0, False), (2225.0, True)], f"shakeEnabled writes: {on_off}")
lds = [(t, v) for t, k, v in stores if k == "lastDurationSelected"]
check(lds == [(0.0, 30), (10.0, 0), (1910.0, 30), (1920.0, 5), (2221.0, 5), (2225.0, 0)], f"durations: {lds}")
rel = [round(r["t"], 3) for r in ev("assertion", op="release")]
check(rel == [2220.0, 2223.0], f"released when the 5-minute restart ends and at the stop: {rel}")
check(not [r for r in ev("notify") if r["t"] < 2200], "switching 30 to indefinitely leaves no time-up behind")
inter = [round(r["t"], 3) for r in ev("broadcast", name="Shake Interrupted")]
check(inter == [2220.0, 2223.0], f"Shake Interrupted at the countdown's end and the stop: {inter}")
auth = [round(r["t"], 3) for r in ev("notify-auth")]
check(auth == [0.0, 1910.0, 1920.0, 2221.0], f"permission asked for each timed start: {auth}")
