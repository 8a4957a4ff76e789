#!/usr/bin/env python3
"""Scripts drive the real wigglet over the session bus: wigglet shake|stop|toggle|status.

Usage: test_control.py WIGGLET
"""
import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from session import Session, wait_for  # noqa: E402

WIGGLET = None


class ControlTest(unittest.TestCase):
    def setUp(self):
        self.session = Session(WIGGLET)
        self.addCleanup(self.session.close)

    def test_each_verb_against_a_running_instance(self):
        s = self.session
        s.start()
        self.assertEqual(s.run("shake", "30").returncode, 0)
        st = s.status()
        self.assertTrue(st["running"] and st["shaking"] and st["timed"], st)
        self.assertTrue(1790 <= st["secondsLeft"] <= 1800, st)
        self.assertEqual(st["lastDurationSelected"], 30)
        self.assertEqual(s.stored().get("lastDurationSelected"), 30)
        self.assertIn("left", s.run("status").stdout)

        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertFalse(s.status()["shaking"])
        self.assertFalse(s.stored()["shakeEnabled"])
        self.assertEqual(s.run("status").stdout.strip(), "Not shaking")

        self.assertEqual(s.run("toggle").returncode, 0)
        st = s.status()
        self.assertTrue(st["shaking"] and not st["timed"], st)
        self.assertEqual(s.run("status").stdout.strip(), "Shaking indefinitely")

        self.assertEqual(s.run("stop").returncode, 0)
        self.assertFalse(s.status()["shaking"])
        self.assertFalse(s.stored()["shakeEnabled"])

    def test_toggle_starts_wigglet_by_activation(self):
        s = self.session
        self.assertFalse(s.running())
        out = s.run("toggle")
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertTrue(s.running())
        st = s.status()
        self.assertTrue(st["shaking"] and not st["timed"], st)
        self.assertTrue(s.stored()["shakeEnabled"])

    def test_bad_input_changes_nothing(self):
        s = self.session
        s.start()
        s.run("shake", "10")
        before_state, before_file = s.status(), s.stored()
        for words in (["shake", "abc"], ["shake", "-5"], ["shake", "20000"], ["jiggle"],
                      ["stop", "now"], ["status", "--json", "extra"]):
            out = s.run(*words)
            self.assertEqual(out.returncode, 2, words)
            self.assertIn(words[-1], (out.stderr.splitlines() or [""])[0], words)
            self.assertIn("usage:", out.stderr, words)
        reply = subprocess.run(["gdbus", "call", "--session", "--dest", "org.wigglet.Wigglet",
                                "--object-path", "/org/wigglet/Wigglet", "--method",
                                "org.wigglet.Wigglet.ShakeFor", "--", "-3"],
                               env=s.env(), capture_output=True, text=True)
        self.assertNotEqual(reply.returncode, 0)
        self.assertIn("org.freedesktop.DBus.Error.InvalidArgs", reply.stderr)
        after = s.status()
        self.assertEqual(after["lastDurationSelected"], before_state["lastDurationSelected"])
        self.assertTrue(after["shaking"] and after["timed"])
        self.assertEqual(s.stored(), before_file)

    def test_nothing_running_and_the_bus_address(self):
        s = self.session
        socket = re.search(r"unix:path=([^,]+)", s.bus_address)
        os.symlink(socket.group(1), s.path("bus"))
        no_address = {k: v for k, v in s.env().items() if k != "DBUS_SESSION_BUS_ADDRESS"}
        empty = s.path("empty-runtime")
        os.mkdir(empty)
        rows = [
            ("stop with nothing running says so and starts nothing",
             ["stop"], s.env(), (0, "Wigglet is not running", "")),
            ("status never starts wigglet", ["status"], s.env(), (3, "Wigglet is not running", "")),
            ("nor does status --json", ["status", "--json"], s.env(), (3, '{"running": false}', "")),
            ("with no address the bus in the runtime folder is the session's",
             ["stop"], no_address, (0, "Wigglet is not running", "")),
            ("with no address and no bus in the runtime folder no bus is launched",
             ["stop"], dict(no_address, XDG_RUNTIME_DIR=empty), (1, "", "no session bus")),
            ("an address where no bus listens is one clear line", ["stop"],
             dict(s.env(), DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/bus"), (1, "", "")),
        ]
        for name, words, env, (code, out, err) in rows:
            with self.subTest(name):
                result = subprocess.run([WIGGLET, *words], env=env, capture_output=True,
                                        text=True, timeout=40)
                self.assertEqual(result.returncode, code, result.stderr)
                self.assertEqual(result.stdout.strip(), out)
                self.assertIn(err, result.stderr)
                if code == 1:
                    self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
                self.assertFalse(s.running())
                # dbus-launch's autolaunch leaves its address in the home folder.
                self.assertFalse(os.path.exists(os.path.join(s.base["HOME"], ".dbus")))

    def test_properties_changed_follows_the_shortcut_and_the_script_not_the_countdown(self):
        s = self.session
        s.start()
        monitor = s.spawn(["dbus-monitor", "--session", "type='signal',path='/org/wigglet/"
                           "Wigglet',member='PropertiesChanged'"], "monitor")
        wait_for(lambda: "NameAcquired" in s.output("monitor"), "the monitor to listen")
        # Alt+Super+S, the default global shortcut, the way the X server would deliver it.
        s.x("xdotool", "key", "super+alt+s")
        wait_for(lambda: s.status()["shaking"], "the shortcut to start shaking")
        s.run("shake", "1")
        wait_for(lambda: s.status()["secondsLeft"] <= 57, "the countdown", seconds=10)
        text = s.output("monitor")
        # on by the shortcut; timed by the script; nothing from the countdown's seconds
        self.assertEqual(text.count("member=PropertiesChanged"), 2, text)
        self.assertIn('string "Shaking"', text)

if __name__ == "__main__":
    WIGGLET = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
