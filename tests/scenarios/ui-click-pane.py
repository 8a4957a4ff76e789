P = [r["controls"] for r in ev("prefs")]
check(len(P) == 4, f"four dumps: {len(P)}")

c = control
check(c(0, "leftClickButton").get("state") == "on" and c(0, "cursorLeftAtRadioButton").get("state") == "on",
      "a fresh store: left button, at the pointer")
check(c(0, "customizeLocationButton").get("hidden") is True, "the location button is hidden at the pointer")
check(c(1, "customizeLocationButton").get("hidden") is False and c(1, "customizeLocationButton").get("title") == "(300, 400)",
      f"custom location shows the stored point: {c(1, 'customizeLocationButton')}")
check(c(2, "customizeLocationButton").get("hidden") is True, "back to the pointer hides it")
check([r["value"] for r in ev("store", key="shakeClickButton")] == [1], "the right button writes 1")
check([r["value"] for r in ev("store", key="shakeClickCustomPosition")] == [True, False], "the location radios")
check(not ev("store", key="shakeClickPosition"), "the stored point is kept")
check(c(3, "rightClickButton").get("state") == "on" and c(3, "leftClickButton").get("state") == "off",
      "after a restart the right button shows on")
