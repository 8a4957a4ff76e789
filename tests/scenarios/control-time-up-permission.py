shown = [(int(r["t"] // 70), r["title"], r["body"]) for r in ev("notify")]
check(shown == [(1, "Time is up!", "Wigglet stopped"), (4, "Time is up!", "Wigglet stopped")], f"shown: {shown}")
asked = [int(r["t"] // 70) for r in ev("notify-auth")]
check(asked == [0, 1, 2, 4], f"permission asked where there is a service: {asked}")
