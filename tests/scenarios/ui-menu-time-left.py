menus = [(round(r["t"], 3), r["items"]) for r in ev("menu")]
check(len(menus) == 6, f"six menus: {len(menus)}")
firsts = [items[0] for _, items in menus]
titles = [f.get("title") for f in firsts]
check(titles[:5] == ["Shaking: 01h 29m", "Shaking: 01h 00m", "Shaking: 59m 59s", "Shaking: 05m 11s",
                    "Shaking Indefinitely..."], f"hours from one hour on, seconds below it: {titles}")
check(all(f.get("state") == "on" and f.get("hidden") is False and f.get("enabled") is True for f in firsts[:5]),
      f"the line is visible, checked and enabled while shaking: {firsts[:5]}")
check(firsts[5:] and firsts[5].get("hidden") is True, f"hidden again after the click: {firsts[5:]}")
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
