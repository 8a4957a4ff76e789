"""Presence checks of the real `wigglet`: a locked session pauses the steps (logind's LockedHint
through a fake logind, the screen saver's ActiveChanged signal), and `wigglet doctor` on Xvfb, on
headless sway and KWin, and without a session bus.

Usage: test_presence.py WIGGLET PEER SCHEMA [unittest arguments]
"""

import json
import os
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
from session import DBUSMOCK, Session, wait_for  # noqa: E402

WIGGLET = PEER = SCHEMA = None
SHAKING = {"notFirstLaunch": True, "shakeEnabled": True, "lastDurationSelected": 0,
           "moveCursorEnabled": True}
STEP_EVENTS = ("warp", "mouse", "user-activity")
LOGIND = ["org.freedesktop.login1", "/org/freedesktop/login1"]
SESSION_OBJECT = "/org/freedesktop/login1/session/auto"


def conforms(value, schema, where="$"):
    """The problems of VALUE against the subset of JSON schema that the doctor's schema uses."""
    types = schema.get("type", [])
    types = [types] if isinstance(types, str) else types
    kinds = {"object": dict, "array": list, "string": str, "boolean": bool, "null": type(None),
             "number": (int, float), "integer": int}
    if types and not any(isinstance(value, kinds[t]) and not (t in ("number", "integer") and
                                                               isinstance(value, bool))
                         for t in types):
        return [f"{where}: {value!r} is not {types}"]
    if "enum" in schema and value not in schema["enum"]:
        return [f"{where}: {value!r} not in {schema['enum']}"]
    problems = [f"{where}: no {key}" for key in schema.get("required", []) if key not in value]
    for key, sub in schema.get("properties", {}).items():
        if isinstance(value, dict) and key in value:
            problems += conforms(value[key], sub, f"{where}.{key}")
    if isinstance(value, list) and "items" in schema:
        for i, item in enumerate(value):
            problems += conforms(item, schema["items"], f"{where}[{i}]")
    return problems


class PresenceTest(unittest.TestCase):
    compositor = None

    def setUp(self):
        self.session = Session(WIGGLET, compositor=self.compositor, peer=PEER)
        self.addCleanup(self.session.close)
        if not self.compositor:
            # The Wayland session brings its fake logind; an X one gets it here.
            self.session.system_bus_address = self.session._bus_daemon("system")
            self.session.processes.append(subprocess.Popen(
                DBUSMOCK + ["--system", "--template", "logind"], env=self.env(),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            wait_for(lambda: "@a(ssssuu)" in self.inhibitors() or "[(" in self.inhibitors(),
                     "the fake logind")
        self.mock(["--system", "AddSession", "auto", "seat0", "1000", "user", "true"], LOGIND)

    def env(self, **changes):
        env = dict(self.session.env(), DBUS_SYSTEM_BUS_ADDRESS=self.session.system_bus_address)
        env.update(changes)
        return env

    def mock(self, call, target, method_interface="org.freedesktop.DBus.Mock"):
        bus, method, *args = call
        subprocess.run(["gdbus", "call", bus, "--dest", target[0], "--object-path", target[1],
                        "--method", f"{method_interface}.{method}", *args],
                       env=self.env(), check=True, capture_output=True, timeout=10)

    def doctor(self, **env):
        out = subprocess.run([WIGGLET, "doctor", "--json"], env=self.env(**env),
                             capture_output=True, text=True, timeout=60)
        report = json.loads(out.stdout)
        with open(SCHEMA) as f:
            self.assertEqual(conforms(report, json.load(f)), [])
        return out.returncode, report

    def inhibitors(self):
        return subprocess.run(["gdbus", "call", "--system", "--dest", LOGIND[0], "--object-path",
                               LOGIND[1], "--method",
                               "org.freedesktop.login1.Manager.ListInhibitors"],
                              env=self.env(), capture_output=True, text=True).stdout

    @staticmethod
    def named(items, key, name):
        return next((item for item in items if item[key] == name), None)


class LockTest(PresenceTest):
    def steps_between(self, t0, t1):
        return [r for r in self.session.trace() if t0 < r["t"] < t1 and r["ev"] in STEP_EVENTS]

    def pause_and_resume(self, lock, unlock):
        self.session.write_settings(SHAKING)
        self.session.start(env=self.env())
        self.session.wait_for_steps_after(0)
        lock()
        wait_for(lambda: [r for r in self.session.trace() if r["ev"] == "pause"], "the pause")
        paused = self.session.last_time()
        time.sleep(5)  # more than two idle thresholds
        unlock()
        wait_for(lambda: [r for r in self.session.trace() if r["ev"] == "resume"], "the resume")
        resumed = [r["t"] for r in self.session.trace() if r["ev"] == "resume"][0]
        self.assertEqual(self.steps_between(paused, resumed), [], "a step while locked")
        self.session.wait_for_steps_after(resumed)

    def test_logind_locked_hint_pauses_the_steps_until_it_is_cleared(self):
        def hint(value):
            return lambda: self.mock(["--system", "SetLockedHint", value],
                                     ["org.freedesktop.login1", SESSION_OBJECT],
                                     "org.freedesktop.login1.Session")
        self.pause_and_resume(hint("true"), hint("false"))

    def test_the_screen_savers_active_signal_pauses_the_steps_until_it_ends(self):
        def active(value):
            return lambda: subprocess.run(
                ["gdbus", "emit", "--session", "--object-path", "/org/freedesktop/ScreenSaver",
                 "--signal", "org.freedesktop.ScreenSaver.ActiveChanged", value],
                env=self.env(), check=True, timeout=10)
        self.pause_and_resume(active("true"), active("false"))


class DoctorX11Test(PresenceTest):
    def test_on_xvfb_the_x_count_is_reset_a_count_nothing_resets_is_not_and_wigglet_is_marked(self):
        # A screen saver whose idle count only grows, as if it counted a device Wigglet cannot
        # reach.
        self.session.processes.append(subprocess.Popen(
            DBUSMOCK + ["--session", "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                        "org.freedesktop.ScreenSaver"],
            env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: self.session.running("org.freedesktop.ScreenSaver"), "the screen saver")
        self.mock(["--session", "AddMethod", '""', "GetSessionIdleTime", '""', "u",
                   f"import time; ret = int(time.time() - {time.time() - 30})"],
                  ["org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"])
        # Shaking holds logind's inhibitor; a long threshold keeps its steps out of the check.
        self.session.write_settings(dict(SHAKING, timeElapsedThreshold=900))
        self.session.start(env=self.env())
        wait_for(lambda: "Wigglet" in self.inhibitors(), "the inhibitor")

        status, report = self.doctor()
        self.assertEqual(status, 0)
        self.assertTrue(report["works"])
        services = report["services"]
        self.assertIn("MIT-SCREEN-SAVER", self.named(services, "service", "idle time")["mechanism"])
        self.assertEqual(self.named(services, "service", "input")["mechanism"], "XTEST")
        self.assertIn("Xvfb", report["session"])
        sources = report["liveCheck"]["sources"]
        self.assertTrue(self.named(sources, "name", "X screen-saver idle")["reset"])
        fake = self.named(sources, "name", "org.freedesktop.ScreenSaver idle time")
        self.assertTrue(fake["reachable"])
        self.assertIs(fake["reset"], False, fake)
        mutter = self.named(sources, "name", "Mutter's idle monitor")
        self.assertFalse(mutter["reachable"])
        self.assertIn("not on the session bus", mutter["whyNot"])
        self.assertIsNone(self.named(sources, "name", "logind's IdleHint")["reset"])
        ours = [b for b in report["sleepBlockers"] if b["wigglet"]]
        self.assertEqual([(b["source"], b["what"], b["who"]) for b in ours],
                         [("logind", "idle", "Wigglet")])

    def test_without_a_session_bus_the_x_server_still_serves_and_the_bus_sources_say_why(self):
        status, report = self.doctor(DBUS_SESSION_BUS_ADDRESS="unix:path=" +
                                     self.session.path("no-bus"))
        self.assertEqual(status, 0)
        awake = self.named(report["services"], "service", "keeping the display awake")
        self.assertIn("X server", awake["mechanism"])
        self.assertIn("no session bus", [u["why"] for u in awake["unavailable"]])
        sources = report["liveCheck"]["sources"]
        self.assertTrue(self.named(sources, "name", "X screen-saver idle")["reset"])
        self.assertEqual(self.named(sources, "name", "Mutter's idle monitor")["whyNot"],
                         "no session bus")

    def test_without_any_display_it_says_what_is_missing_and_exits_one(self):
        status, report = self.doctor(DISPLAY="", WAYLAND_DISPLAY="", XDG_SESSION_TYPE="")
        self.assertEqual(status, 1)
        self.assertEqual(sorted(report["missing"]), ["idle time", "input"])
        text = subprocess.run([WIGGLET, "doctor"], env=self.env(DISPLAY=""), capture_output=True,
                              text=True, timeout=30)
        self.assertEqual(text.returncode, 1)
        self.assertIn("Wigglet needs idle time", text.stdout)


class DoctorSwayTest(PresenceTest):
    compositor = "sway"
    input = "wlroots virtual pointer"

    def test_the_compositors_idle_protocol_and_input_are_named_and_the_step_resets_xwaylands_count_too(self):
        # An X server stands in for XWayland: the compositor's input does not reach its count.
        self.session._start_x()
        status, report = self.doctor(DISPLAY=self.session.display)
        self.assertEqual(status, 0)
        self.assertIn(self.compositor, report["session"])
        services = report["services"]
        # sway 1.7 offers KDE's idle protocol, later ones ext-idle-notify.
        idle = self.named(services, "service", "idle time")["mechanism"]
        self.assertIn(idle, ("ext-idle-notify", "KDE idle protocol"))
        self.assertEqual(self.named(services, "service", "input")["mechanism"], self.input)
        sources = report["liveCheck"]["sources"]
        self.assertTrue(self.named(sources, "name", idle)["reset"])
        self.assertIn("XWayland's screen saver",
                      self.named(services, "service", "keeping the display awake")["mechanism"])
        self.assertTrue(self.named(sources, "name", "XWayland screen-saver idle")["reset"])


class DoctorKWinTest(DoctorSwayTest):
    compositor = "kwin"
    input = "KWin fake input"


class DoctorMutterTest(PresenceTest):
    compositor = "mutter"

    def test_mutters_idle_monitor_and_its_own_input_are_named_and_the_step_resets_its_count(self):
        status, report = self.doctor()
        self.assertEqual(status, 0)
        self.assertIn("mutter", report["session"])
        services = report["services"]
        self.assertEqual(self.named(services, "service", "idle time")["mechanism"],
                         "Mutter's idle monitor")
        self.assertEqual(self.named(services, "service", "input")["mechanism"],
                         "GNOME's remote-desktop interface (asks nothing)")
        sources = report["liveCheck"]["sources"]
        self.assertTrue(self.named(sources, "name", "Mutter's idle monitor")["reset"])


def main():
    global WIGGLET, PEER, SCHEMA
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    WIGGLET, PEER, SCHEMA = (os.path.abspath(a) for a in sys.argv[1:4])
    unittest.main(argv=[sys.argv[0], *sys.argv[4:]], verbosity=2)


if __name__ == "__main__":
    main()
