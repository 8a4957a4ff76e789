menus = [r["items"] for r in ev("menu")]
check(len(menus) == 3, f"three menus: {len(menus)}")


def titled(items, title):
    return [i for i in items if i.get("title") == title]


if len(menus) == 3:
    check(titled(menus[0], "Preferences…") and not titled(menus[0], "Settings…"), "10.15: Preferences…")
    rate = titled(menus[0], "Rate us")
    check(rate and rate[0].get("image") is None, f"10.15: Rate us without the star: {rate}")
    check(titled(menus[1], "Preferences…"), "12: Preferences…")
    rate = titled(menus[1], "Rate us")
    check(rate and rate[0].get("image") == "star", f"12: Rate us with the star: {rate}")
    check(titled(menus[2], "Settings…") and not titled(menus[2], "Preferences…"), "13: Settings…")
shown = [r["fields"].get("title") for r in ev("window", id="preferences", action="show")]
check(shown == ["Preferences…", "Preferences…", "Settings…"], f"window titles by version: {shown}")
prefs = [r.get("title") for r in ev("prefs")]
check(prefs == ["Preferences…", "Settings…"], f"the General pane sets the same title: {prefs}")
