flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(0, True), (660, False), (900, True), (960, False)],
      f"on by mains, kept by the hours after unplugging, off at 09:10, on and off with the plug: {flips}")
