check(control(0, "tabSwitchDropdown").get("selected") == -1, f"nothing selected: {control(0, 'tabSwitchDropdown')}")
