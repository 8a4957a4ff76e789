P = [r["controls"] for r in ev("prefs")]
check(len(P) == 5, f"five dumps: {len(P)}")

c = control
check(c(0, "shakeFrequencyButton").get("selected") == 0, f"60 s is not offered: the 2-second item: {c(0, 'shakeFrequencyButton')}")
check(c(0, "frequencyWarning").get("hidden") is True, "no warning below 15 minutes")
check(c(0, "batteryLevelThresholdButton").get("title") == "5", f"a stored 0 shows 5: {c(0, 'batteryLevelThresholdButton')}")
check(c(0, "batteryLevelThresholdButton").get("enabled") is False, "the battery pop-up is off while the stop is off")
check(c(1, "frequencyWarning").get("hidden") is False, "15 minutes shows the warning")
check(c(2, "frequencyWarning").get("hidden") is True, "10 seconds hides it again")
thresholds = [r["value"] for r in ev("store", key="timeElapsedThreshold")]
check(thresholds == [900.0, 10.0], f"seconds stored as doubles: {thresholds}")
battery = [r["value"] for r in ev("store", key="batteryLevelThreshold")]
check(battery == [20], f"a disabled pop-up cannot be used; once enabled its title is stored: {battery}")
check(c(3, "batteryLevelThresholdButton").get("enabled") is True, "checking the box enables the pop-up at once")
check(c(4, "batteryLevelThresholdButton").get("enabled") is False, "unchecking disables it")
stops = [r["value"] for r in ev("store", key="stopShakingBattery")]
check(stops == [True, False], f"the checkbox writes its state: {stops}")
check(len(ev("notify-auth")) == 2, f"permission asked on checking and on unchecking: {len(ev('notify-auth'))}")
check([r["value"] for r in ev("store", key="dimLightOption")] == [1], "dimming to half writes 1")
