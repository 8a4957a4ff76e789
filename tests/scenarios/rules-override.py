flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(60, True), (660, False), (3660, True), (11160, False)],
      f"rule on, user off until 09:30, user on through 12:00, rule off at 12:05: {flips}")
