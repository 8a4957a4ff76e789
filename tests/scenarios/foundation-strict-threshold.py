ticks = ev("tick")
steps = [round(r["t"], 3) for r in ticks if r["step"]]
check(steps == [3.0, 6.0, 9.0], f"steps strictly after 2 s idle and 2 s since the last step: {steps}")
at2 = [r for r in ticks if round(r["t"], 3) == 2.0]
check(at2 and near(at2[0]["idle"], 2.0, 1e-9) and at2[0]["step"] is False, f"idle exactly 2 s gives no step: {at2}")
at5 = [r for r in ticks if round(r["t"], 3) == 5.0]
check(at5 and near(at5[0]["elapsed"], 2.0, 1e-3) and at5[0]["step"] is False, f"elapsed 2 s gives no step: {at5}")
check(not ev("broadcast", name="Shake Interrupted By User"), "steps without synthetic input never look like the user's return")
