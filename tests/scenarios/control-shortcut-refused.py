ops = [(r["op"], r["id"], r.get("result", 0) == 0) for r in ev("hotkey")]
check(ops == [("register", 1, False), ("register", 2, True), ("unregister", 2, True)],
      f"refused, then registered, and only that one dropped at the end: {ops}")
on = [(round(r["t"], 3), r["value"]) for r in ev("store", key="shakeEnabled")]
check(on == [(1.0, True)], f"only the recorded shortcut toggles shaking: {on}")
