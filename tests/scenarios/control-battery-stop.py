shown = ev("notify")
check([int(r["t"] // 10) for r in shown] == [0, 1, 6, 9, 10, 12, 12], f"stops by case: {shown}")
check(all(r["title"] == r["body"] == "Stopped battery is low" for r in shown), f"the notice: {shown}")
check(len({r["id"] for r in shown}) == len(shown), "each stop is a new notification")
stops = [int(r["t"] // 10) for r in ev("store", key="shakeEnabled", value=False)]
check(stops == [0, 1, 6, 9, 10, 12, 12], f"shaking stops with each notice: {stops}")
