P = [r["controls"] for r in ev("prefs")]
check(len(P) == 5, f"five dumps: {len(P)}")
loc = [p.get("customizeLocationButton", {}) for p in P]
check(loc and loc[0].get("hidden") is False and loc[0].get("title") == "(10, 10)",
      f"custom location shows the button, (10, 10) before any pick: {loc[:1]}")
positions = [r["value"] for r in ev("store", key="shakeClickPosition")]
check(positions == ["{512.4, 200}", "{30, 860}"], f"stored in top-left coordinates: {positions}")
check(len(loc) > 2 and loc[1].get("title") == "(512, 200)" and loc[2].get("title") == "(512, 200)",
      f"shows (512, 200), and a second click changes nothing: {loc[1:3]}")
check(len(loc) > 3 and loc[3].get("title") == "(30, 860)", f"a new pick takes the new point: {loc[3:]}")
custom = [r["value"] for r in ev("store", key="shakeClickCustomPosition")]
check(custom == [True, True, True], f"the radio and each pick write custom position on: {custom}")
check(len(loc) > 4 and loc[4].get("title") == "(30, 860)", f"Escape cancels the pick: {loc[4:]}")
