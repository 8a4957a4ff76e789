flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(0, True), (120, False), (200, True), (260, False), (500, True), (600, False)],
      f"until 10:00; on mains; while render runs: {flips}")
check(not [r for r in ev("store") if r["key"] == "rules"], "the rules are read, never written back")
