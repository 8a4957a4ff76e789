steps = [r["t"] for r in ev("tick") if r["step"]]
legs = [between([r for r in T if r["ev"] in ("warp", "scroll")], t0, t1) for t0, t1 in zip(steps, steps[1:] + [1e9])]
check([len(w) for w in legs[:4]] == [20, 36, 37, 13],
      f"going stops after one glide step, away afresh, back stopped in its glide, the scroll after 0.2 s: {[len(w) for w in legs]}")
if len(legs) > 3:
    check((legs[2][-1]["x"], legs[2][-1]["y"]) == (legs[0][-1]["x"], legs[0][-1]["y"]),
          "the stopped return still ends exactly on its target")
