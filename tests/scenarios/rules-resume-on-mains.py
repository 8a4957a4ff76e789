flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(0, True), (1, False), (10, True), (11, False), (15, True)],
      f"stopped by the battery twice, resumed only the second time: {flips}")
