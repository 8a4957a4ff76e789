ticks = [round(r["t"], 3) for r in ev("tick")]
check(ticks and not [t for t in ticks if 3.0 < t < 8.0], f"no tick between Quit and the next launch: {ticks}")
check([round(r["t"], 3) for r in ev("hotkey", op="unregister")][:1] == [3.0], "the shortcut goes with the program")
check(len(ev("activity")) == 2, f"the next launch is a new program: {ev('activity')}")
