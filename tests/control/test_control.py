#!/usr/bin/env python3
"""Scripts drive the real wigglet over the session bus: wigglet shake|stop|toggle|status.

Usage: test_control.py WIGGLET
"""
import os
import json
import re
import shutil
import signal
import subprocess
import time
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

    def test_run_and_watch_hold_shaking_while_their_process_lives(self):
        s = self.session
        s.start()
        self.assertEqual(s.run("run", "--", "sh", "-c", "sleep 2; exit 3").returncode, 3)
        flips = [r["value"] for r in s.trace() if r["ev"] == "store" and r["key"] == "shakeEnabled"]
        self.assertEqual(flips, [True, False], "on for the command, off again as it ended")

        victim = subprocess.Popen(["sleep", "300"])
        self.addCleanup(victim.kill)
        watch = subprocess.Popen([WIGGLET, "watch", str(victim.pid)], env=s.env())
        wait_for(lambda: s.status()["shaking"], "the watch's hold")
        self.assertEqual(s.status()["heldBy"], "While sleep runs")
        victim.kill()
        victim.wait()
        self.assertEqual(watch.wait(timeout=30), 0)
        self.assertFalse(s.status()["shaking"])

        # A killed client leaves the bus, and its hold goes with it.
        orphan = subprocess.Popen([WIGGLET, "run", "--", "sleep", "300"], env=s.env(),
                                  start_new_session=True)
        self.addCleanup(lambda: orphan.poll() is None and os.killpg(orphan.pid, signal.SIGKILL))
        wait_for(lambda: s.status()["shaking"], "the third hold")
        self.assertEqual(s.status()["heldBy"], "While sleep runs")
        self.assertEqual(s.run("status").stdout.strip(), "Shaking (While sleep runs)")
        os.killpg(orphan.pid, signal.SIGKILL)
        wait_for(lambda: not s.status()["shaking"], "the hold of a killed client to end")
        gone = s.run("watch", "999999999")
        self.assertEqual((gone.returncode, s.status()["shaking"]), (1, False))
        self.assertIn("cannot watch process 999999999", gone.stderr)

    def test_a_program_rule_follows_the_program_without_polling(self):
        s = self.session
        nap = s.path("bin/wiggletnap")
        os.makedirs(os.path.dirname(nap))
        shutil.copy("/bin/sleep", nap)
        s.write_settings({"notFirstLaunch": True, "moveCursorEnabled": False,
                          "rules": json.dumps([{"kind": "program", "name": "wiggletnap"}])})
        env = dict(s.env(), PATH=os.path.dirname(nap) + ":" + os.environ["PATH"])
        s.start(env=env)
        self.assertFalse(s.status()["shaking"])
        napping = subprocess.Popen([nap, "300"])
        self.addCleanup(napping.kill)
        wait_for(lambda: s.status()["shaking"], "the program's start to be seen")
        self.assertEqual(s.status()["heldBy"], "While wiggletnap runs")
        napping.kill()
        wait_for(lambda: not s.status()["shaking"], "the program's end to be seen")

    def test_a_bad_hand_edited_rule_is_left_out_once_and_the_file_kept(self):
        s = self.session
        rules = '[{"kind": "hours", "ranges": [{"days": ["someday"], "from": "9", "to": "17"}]}]'
        s.write_settings({"notFirstLaunch": True, "moveCursorEnabled": False, "rules": rules})
        with open(s.settings, "rb") as f:
            before = f.read()
        s.start()
        self.assertFalse(s.status()["shaking"])
        with open(s.settings, "rb") as f:
            self.assertEqual(f.read(), before)
        # Each hold reads the rules again; the program writes its own keys, never the rules.
        for _ in range(2):
            self.assertEqual(s.run("run", "--", "true").returncode, 0)
        warnings = [r for r in s.trace() if r["ev"] == "log" and "rules" in r["text"]]
        self.assertEqual(len(warnings), 1, warnings)
        self.assertEqual(s.stored()["rules"], rules)

    def test_loginds_wake_applies_the_rules_again(self):
        s = self.session
        s.start_logind()
        s.start()
        self.assertFalse(s.status()["shaking"])
        # Edited while the machine slept: read again at the wake, when the answer may change.
        end = time.strftime("%Y-%m-%dT%H:%M", time.localtime(time.time() + 3600))
        s.write_settings(dict(s.stored(), rules=json.dumps([{"kind": "until", "end": end}])))
        subprocess.run(["gdbus", "call", "--system", "--dest", "org.freedesktop.login1",
                        "--object-path", "/org/freedesktop/login1", "--method",
                        "org.freedesktop.DBus.Mock.EmitSignal", "org.freedesktop.login1.Manager",
                        "PrepareForSleep", "b", "[<false>]"],
                       env=s.env(), check=True, capture_output=True)
        wait_for(lambda: s.status()["shaking"], "the wake to apply the rule")
        self.assertEqual(s.status()["heldBy"], "Until a set time")

    def test_shake_until_a_clock_time(self):
        s = self.session
        s.start()
        end = time.localtime(time.time() + 2 * 3600)
        until = f"{end.tm_hour:02d}:{end.tm_min:02d}"
        self.assertEqual(s.run("shake", "--until", until).returncode, 0)
        st = s.status()
        self.assertTrue(st["shaking"] and st["timed"], st)
        self.assertTrue(7080 <= st["secondsLeft"] <= 7200, st)
        self.assertEqual(s.run("shake", "--until", "25:00").returncode, 2)


if __name__ == "__main__":
    WIGGLET = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
