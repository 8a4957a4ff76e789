menus = [r["items"] for r in ev("menu")]
check(len(menus) == 1, f"one menu line: {len(menus)}")
items = menus[0] if menus else []


def row(i):
    return "-" if i.get("separator") else i.get("title")


check([row(i) for i in items] == [" ", "Shake", "-", "Click", "Scroll", "Move", "-", "Settings…", "-",
                                  "More", "Rate us", "-", "Quit"],
      f"top-level items in order: {[row(i) for i in items]}")
shake = items[1] if len(items) > 1 else {}
timing = shake.get("submenu") or []
check([row(i) for i in timing] == ["Indefinitely", "-", "5 minutes", "10 minutes", "30 minutes", "-", "1 hour",
                                   "2 hours", "4 hours", "8 hours", "9 hours", "12 hours", "-", "Until…"],
      f"durations in order: {[row(i) for i in timing]}")
check([i.get("tag") for i in timing if not i.get("separator")] == [0, 5, 10, 30, 60, 120, 240, 480, 540, 720, 0],
      f"duration tags: {[i.get('tag') for i in timing]}")
check(all(i.get("state") == "off" for i in timing if not i.get("separator")), "no duration is checked")
first = items[0] if items else {}
check(first.get("hidden") is True and first.get("state") == "off", f"the time-left line is hidden: {first}")
by_title = {i.get("title"): i for i in items if not i.get("separator")}
check((by_title.get("Quit") or {}).get("key") == "q" and by_title["Quit"].get("modifiers") == 0x100000,
      f"Quit has Command-Q: {by_title.get('Quit')}")
settings = by_title.get("Settings…") or {}
check(settings.get("key") == "," and settings.get("modifiers") == 0x100000, f"Settings has Command-comma: {settings}")
check((by_title.get("Rate us") or {}).get("image") == "star", f"Rate us shows the star: {by_title.get('Rate us')}")
more = [row(i) for i in (by_title.get("More") or {}).get("submenu") or []]
check(more == ["About", "Check our software", "Check for Updates", "-", "Overview", "FAQ"], f"More: {more}")
indef = timing[0] if timing else {}
check(indef.get("key") == "s" and indef.get("modifiers") == 0x180000,
      f"the default shortcut beside Indefinitely: {indef}")
for name in ("Click", "Scroll", "Move"):
    check((by_title.get(name) or {}).get("state") == "off", f"{name} off on a fresh store")
