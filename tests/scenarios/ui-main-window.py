W = [w for r in ev("windows") for w in r["windows"] if w["id"] == "mainWindow"]
F = [w["fields"] for w in W]
check(len(F) == 4 and all(w["visible"] for w in W), f"the window is listed, open, at each dump: {W}")
if len(F) == 4:
    check(not F[0]["shakingSwitch"] and F[0]["timeLeftLabel"] == "Not shaking", f"at first: {F[0]}")
    check(F[1]["shakingSwitch"] and F[1]["durationChoice"] == "30 minutes"
          and F[1]["timeLeftLabel"].startswith("Shaking: 28m 5"),
          f"the chosen period counts down: {F[1]}")
    check(not F[2]["shakingSwitch"] and F[2]["timeLeftLabel"] == "Not shaking", f"the switch stops: {F[2]}")
    check(F[3]["shakingSwitch"] and F[3]["durationChoice"] == "30 minutes" and F[3]["clickSwitch"]
          and not F[3]["moveCursorSwitch"], f"the switch resumes the last period; the input switches: {F[3]}")
stored = [(r["key"], r["value"]) for r in ev("store") if r["key"] in ("clickEnabled", "moveCursorEnabled")]
check(stored[-2:] == [("clickEnabled", True), ("moveCursorEnabled", False)], f"the switches are stored: {stored}")
check([r["id"] for r in ev("window", action="show")] == ["mainWindow", "preferences"],
      f"the window, then the preferences from its button: {ev('window', action='show')}")
check(ev("hotkey", op="unregister"), "Quit ends the program as the menu's Quit does")
