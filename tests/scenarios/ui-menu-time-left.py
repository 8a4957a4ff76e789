menus = [(round(r["t"], 3), r["items"]) for r in ev("menu")]
check(len(menus) == 4, f"four menus: {len(menus)}")
firsts = [items[0] for _, items in menus]
titles = [f.get("title") for f in firsts]
check(titles[:3] == ["Shaking: 01h 29m", "Shaking: 05m 11s", "Shaking Indefinitely..."],
      f"time-left titles (90 minutes left; 5 min 11 s left; indefinite): {titles}")
check(all(f.get("state") == "on" and f.get("hidden") is False and f.get("enabled") is True for f in firsts[:3]),
      f"the line is visible, checked and enabled while shaking: {firsts[:3]}")
check(firsts[3:] and firsts[3].get("hidden") is True, f"hidden again after the click: {firsts[3:]}")
for _, items in menus:
    timing = items[1].get("submenu") or []
    check(all(i.get("state") == "off" for i in timing if not i.get("separator")),
          "no duration shows a check mark, the running one included")
lds = [r["value"] for r in ev("store", key="lastDurationSelected")]
check(lds == [120, 0], f"the menu items start 2 hours, then indefinitely: {lds}")
off = [round(r["t"], 3) for r in ev("store", key="shakeEnabled", value=False)]
check(off == [6888.0], f"the click on the time-left line stops shaking: {off}")
check(ev("broadcast", name="Shake Interrupted"), "stopping there is the stop routine (Shake Interrupted)")
icons = [r["name"] for r in ev("status-icon")]
check(icons[-1:] == ["statusOff_0"], f"status image off after the stop: {icons}")
