flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(600, True), (7800, False), (8400, True), (8400 + 4 * 3600, False)],
      f"two real hours in March, four in October: {flips}")
