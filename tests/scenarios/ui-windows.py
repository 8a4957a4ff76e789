shows = [(r["id"], r["fields"]) for r in ev("window", action="show")]
check([s[0] for s in shows] == ["helpWindowID", "helpWindowID", "aboutWindowID", "authorizeWindowID"],
      f"windows shown: {shows}")
check(all(f.get("mainLabel") == "Features" for i, f in shows if i == "helpWindowID"), f"Overview reads Features: {shows}")
about = [f for i, f in shows if i == "aboutWindowID"]
check(about and about[0].get("versionTextField") == "1.0.0", f"About shows the version: {about}")
mails = ev("compose-mail")
check(len(mails) == 1 and mails[0].get("subject") == "[Wigglet] v1.0.0" and mails[0].get("body") == ""
      and "@" in mails[0].get("to", ""), f"the e-mail link: {mails}")
urls = [r["url"] for r in ev("open-url")]
check(len(urls) == 4, f"web site, FAQ, review page, permission help: {urls}")
check(urls[2:3] == ["appstream://org.wigglet.Wigglet"], f"Rate us opens the software centre: {urls}")
check(ev("window", id="aboutWindowID", action="close"), "the About window closes")
W = ev("windows")
ids = [w["id"] for w in W[-1]["windows"]] if W else []
check(ids.count("helpWindowID") == 1 and "aboutWindowID" not in ids, f"one Help window is kept; About is gone: {ids}")
check([r["value"] for r in ev("store", key="clickSwitched")] == [True, True], "the refused switches")
nudges = [(r["x"], r["y"]) for r in ev("nudge")]
check(nudges and set(nudges) == {(12, 34)}, f"each refused switch nudges the pointer where it is, in whole points: {nudges}")
