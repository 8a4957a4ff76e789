presses = [(int(r["t"] // 20), r["data1"]) for r in ev("system-key", down=True)]
counts = {s: (presses.count((s, 0x30A00)), presses.count((s, 0x20A00))) for s, _ in presses}
# Full dimming of an unreadable display remembers nothing, so its second step dims again.
check(counts == {0: (6, 6), 7: (32, 0), 8: (16, 0), 9: (16, 16)}, f"down and up presses by case: {counts}")
check(len(ev("system-key", down=False)) == len(presses), "each press has its release")
half = [r["t"] for r in ev("system-key", data1=0x30A00) if r["t"] < 20]
check(all(near(b - a, 0.028, 1e-6) for a, b in zip(half, half[1:])), f"28 ms between presses: {half}")
