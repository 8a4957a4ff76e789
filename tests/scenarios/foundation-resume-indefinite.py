created = ev("assertion", op="create")
check(len(created) == 1 and created[0]["name"] == "Wigglet" and created[0]["type"] == "PreventUserIdleDisplaySleep",
      f"exactly one assertion while resumed: {created}")
ticks = [round(r["t"], 3) for r in ev("tick")]
check(ticks == [1.0, 2.0, 3.0, 4.0], f"one tick a second until the restart, none after: {ticks}")
off = [(round(r["t"], 3), r["value"]) for r in ev("store", key="shakeEnabled")]
check(off == [(4.5, False)], f"the restart with a timed duration writes shakeEnabled false: {off}")
changed = [(round(r["t"], 3), r["info"]["shake_monitor"]) for r in ev("broadcast", name="Shake Changed")]
check(changed == [(0.0, True), (4.5, False)], f"Shake Changed at each launch: {changed}")
dumps = ev("settings")
check(dumps and dumps[-1]["values"].get("shakeEnabled") is False, f"the store says off: {dumps[-1:]}")
