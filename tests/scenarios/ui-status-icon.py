icons = [r["name"] for r in ev("status-icon")]
check(icons[0:1] == ["statusOff_3"], f"index 3, off, at launch: {icons}")
check("statusOff_1" in icons, f"choosing the second set shows statusOff_1 at once: {icons}")
check(icons[-1:] == ["statusOff_2"], f"after the stop the chosen third set, off: {icons}")
check("statusOn_1" in icons and "statusOn_2" in icons, f"the on images of the chosen sets: {icons}")
writes = [r["value"] for r in ev("store", key="statusIconIndex")]
check(writes == [1, 2], f"the chooser stores the index: {writes}")
check(len(ev("broadcast", name="Preferences Updated")) == 2, "each choice announces Preferences Updated")
