P = [r["controls"] for r in ev("prefs")]
check(len(P) == 2, f"two dumps: {len(P)}")
if len(P) == 2:
    check(P[0]["tabSwitchDropdown"].get("selected") == 0, "an absent scrollTabType shows the first item")
    check(P[0]["scrollTypeIndex"].get("selected") == 1, "the stored scroll type is shown")
    check(P[0]["scrollTopCheckbox"].get("state") == "off", "an absent box is off")
    check(P[1]["tabSwitchDropdown"].get("selected") == 2 and P[1]["scrollTopCheckbox"].get("state") == "on",
          "the controls show what was chosen")
writes = [(r["key"], r["value"]) for r in ev("store")]
check(writes == [("scrollTabType", 2), ("tabScrollTopEnabled", True), ("switchTabsEnabled", True),
                 ("scrollTypeIndex", 0)], f"each control writes its setting: {writes}")
