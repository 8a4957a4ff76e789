flips = [(round(r["t"]), r["value"]) for r in ev("store", key="shakeEnabled")]
check(flips == [(60, True), (1860, False), (10860, True), (11160, False)],
      f"on at 09:00, off at 09:30, on at 12:00, off at 12:05: {flips}")
menu = ev("menu")
line = menu[0]["items"][0]["title"] if menu else None
check(line == "Shaking: Working hours until 09:30", f"the time-left line names the rule: {line}")
check(not between(ev("tick"), 1861, 10860), "no tick while the rules keep shaking off")
check(not between(ev("tick"), 11161, 1e9), "none after the last range either")
