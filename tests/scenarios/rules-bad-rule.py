logs = [r["text"] for r in ev("log") if "rules" in r["text"]]
check(len(logs) == 2, f"one warning per bad list: {logs}")
check(logs and "rule 1" in logs[0], f"the warning names the broken rule: {logs[:1]}")
flips = [r["value"] for r in ev("store", key="shakeEnabled")]
check(flips == [True, False, True], f"the mains rule still works: {flips}")
check(not [r for r in ev("store") if r["key"] == "rules"], "the rules are never written back")
check(status == 0, "no crash on a list that is not JSON")
