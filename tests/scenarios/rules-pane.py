import json
hours = "Working hours: Mon Tue Wed Thu Fri 09:00–17:00"
lists = [control(i, "rulesList").get("items") for i in range(2)]
check(lists == [[hours, "On mains power"], [hours]], f"the list after adding two and removing one: {lists}")
stored = [json.loads(r["value"]) for r in ev("store", key="rules")]
check(stored[-1:] == [[{"kind": "hours", "ranges": [{"days": ["mon", "tue", "wed", "thu", "fri"], "from": "09:00", "to": "17:00"}]}]],
      f"the stored list: {stored[-1:]}")
flips = [r["value"] for r in ev("store", key="shakeEnabled")]
check(flips == [True, False], f"on with the charger, off once the mains rule is gone: {flips}")
resume = [r["value"] for r in ev("store", key="resumeOnMains")]
check(control(0, "resumeOnMains").get("state") == "off" and resume == [True],
      f"Resume on mains power: off by default, then on from its checkbox: {resume}")
