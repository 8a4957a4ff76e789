flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(60, True), (600, False)], f"on at the first wake, off at the second: {flips}")
check(not between(ev("tick"), 601, 1e9), "nothing runs after the second wake")
