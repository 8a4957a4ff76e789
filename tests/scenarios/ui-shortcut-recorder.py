P = [r for r in ev("prefs")]
check(len(P) == 7, f"seven dumps: {len(P)}")

ctl = control
rec = ctl(0, "shortcutButton")
check(P and P[0].get("listening") is True, "pressing the shortcut button starts recording")
check(rec.get("title") == "Type new shortcut" and rec.get("highlighted") is True and rec.get("width") == 170
      and rec.get("userInteraction") is False, f"the recording look: {rec}")
check(ctl(0, "cancelButton").get("hidden") is False, f"cancel visible while recording: {ctl(0, 'cancelButton')}")
check(len(P) > 1 and P[1].get("listening") is True and ctl(1, "shortcutButton").get("title") == "Type new shortcut",
      f"A alone, fn alone and caps lock alone are ignored: {P[1:2]}")
idle = ctl(2, "shortcutButton")
check(idle.get("title") == "⇧A" and idle.get("highlighted") is False and idle.get("width") == 160
      and idle.get("userInteraction") is True, f"Shift-A accepted, idle look again: {idle}")
check(ctl(2, "cancelButton").get("hidden") is True, "cancel hidden when idle")
check(ctl(3, "shortcutButton").get("title") == "⇧A" and P[3].get("listening") is False,
      f"Escape restores the stored description: {ctl(3, 'shortcutButton')}")
check(ctl(4, "shortcutButton").get("title") == "⇧A" and P[4].get("listening") is False,
      f"cancel keeps the shortcut: {ctl(4, 'shortcutButton')}")
check(ctl(5, "shortcutButton").get("title") == "⌥⌘K", f"Option-Command-K shown as ⌥⌘K: {ctl(5, 'shortcutButton')}")
stored = [r["value"] for r in ev("store", key="shakeHotkey")]
check(len(stored) == 3, f"three shortcuts stored (Shift-A, Option-Command-K, the default): {stored}")
regs = [(r.get("keyCode"), r.get("modifiers")) for r in ev("hotkey", op="register")]
check(regs[1:3] == [(0, 0x200), (40, 0x900)], f"each new shortcut is registered: {regs}")
ids = [(r["op"], r["id"]) for r in ev("hotkey")]
check(ids[:5] == [("register", 1), ("register", 2), ("unregister", 1), ("register", 3), ("unregister", 2)],
      f"each under a fresh identifier, the new one held before the old one goes: {ids}")
menus = [r["items"] for r in ev("menu")]
indef = (menus[-1][1].get("submenu") or [{}])[0] if menus else {}
check(indef.get("key") == "k" and indef.get("modifiers") == 0x180000,
      f"K with Option-Command beside Indefinitely: {indef}")
on = [(round(r["t"], 3), r["value"]) for r in ev("store", key="shakeEnabled")]
check(on == [(0.0, True), (1.0, False)], f"the new combination toggles shaking: {on}")
check([r["value"] for r in ev("store", key="lastDurationSelected")] == [0], "indefinitely")
check(ctl(0, "resetShortcutButton").get("hidden") is True and ctl(5, "resetShortcutButton").get("hidden") is False,
      "the reset button shows only while the shortcut is not the default")
check(ctl(6, "shortcutButton").get("title") == "⌥⌘S" and ctl(6, "resetShortcutButton").get("hidden") is True,
      f"reset brings back Option-Command-S: {ctl(6, 'shortcutButton')}")
check(regs[-1:] == [(1, 0x900)], f"and registers it: {regs}")
