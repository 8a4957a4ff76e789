steps = [r["t"] for r in ev("tick") if r["step"]]
legs = [w for w in (between(ev("warp"), t0, t1) for t0, t1 in zip(steps, steps[1:] + [1e9])) if w]
check([len(w) for w in legs] == [36, 36, 221, 53, 36, 53],
      f"away, away again after the stop, smooth, back, away after the user, back: {[len(w) for w in legs]}")
if len(legs) == 6:
    def at(r):
        return r["x"], r["y"]
    check(near(legs[1][0]["x"], legs[0][-1]["x"], 1.5) and near(legs[1][0]["y"], legs[0][-1]["y"], 1.5),
          "after the stop it leaves from where the pointer stood")
    check(at(legs[2][-1]) == at(legs[1][-1]), "the smooth excursion comes back to its own start")
    check(at(legs[3][-1]) == at(legs[0][-1]), "the cycle still owes the return to where it went afresh")
    check(near(legs[4][0]["x"], 300, 1) and near(legs[4][0]["y"], 200, 1) and at(legs[5][-1]) == (300, 200),
          "from and back to the user's new place")
ups = [r["t"] for r in ev("mouse", type="leftUp")]
check([round(w[0]["t"] - u, 6) for w, u in zip([legs[i] for i in (0, 1, 4)], ups)] == [0.06] * 3,
      f"each step goes on 60 ms after its click: {ups}")
