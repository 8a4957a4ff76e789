#!/usr/bin/env python3
"""Faults around the real wigglet: its X server or session bus going away, no notification
server, a read-only settings folder, hand-edited and broken settings, a shortcut that another
program holds.

Usage: test_faults.py WIGGLET
"""
import base64
import ctypes
import ctypes.util
import json
import os
import shutil
import signal
import subprocess
import sys
import time
import unittest

from common import (RETURNING_USER, ScreenSaver, Session, last_time, read_bytes, start_logged, stderr_lines,
                    steps_after, trace, wait_for_steps_after, write_atomically)

WIGGLET = None

# Holds Alt+Super+S on the root window until stdin closes, as another program's shortcut would.
GRABBER = r"""
import ctypes, ctypes.util, sys
x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong,
                       ctypes.c_int, ctypes.c_int, ctypes.c_int]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
d = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(d)
code = x.XKeysymToKeycode(d, 0x73)
for extra in (0, 0x2, 0x10, 0x12):
    x.XGrabKey(d, code, 0x8 | 0x40 | extra, root, 1, 1, 1)
x.XSync(d, 0)
print("grabbed", flush=True)
sys.stdin.read()
"""


class FaultTest(unittest.TestCase):
    settings = RETURNING_USER

    def setUp(self):
        try:
            self.session = Session(WIGGLET, self.settings)
        except RuntimeError as why:
            self.skipTest(str(why))

    def tearDown(self):
        self.session.close()

    def shake(self):
        s = self.session
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertTrue(wait_for_steps_after(s, 0.0), "no step while shaking")

    def test_lost_x_server_ends_wigglet_with_one_line_and_intact_settings(self):
        s = self.session
        proc = start_logged(s)
        self.shake()
        before = read_bytes(s.settings)
        xvfb = s.processes[0]
        xvfb.kill()
        xvfb.wait()
        gone = time.monotonic()
        proc.wait(5)
        self.assertLess(time.monotonic() - gone, 1.0, "wigglet outlived its display by a second")
        self.assertEqual(proc.returncode, 1)
        lines = [line for line in stderr_lines(s) if "system tray" not in line]
        self.assertEqual(lines, ["wigglet: the X server has gone away; quitting"])
        self.assertEqual(read_bytes(s.settings), before)
        self.assertTrue(json.loads(before)["shakeEnabled"])

    def test_lost_session_bus_leaves_shaking_on(self):
        s = self.session
        proc = start_logged(s)
        self.shake()
        bus = s.processes[1]
        bus.kill()
        bus.wait()
        died = last_time(s)
        self.assertTrue(wait_for_steps_after(s, died + 3.5),
                        "no step more than three seconds after the bus went away")
        self.assertIsNone(proc.poll())
        # Without the session's screen saver service the X server's own one must stay off;
        # once wigglet has ended it comes on, which shows that the watch can see it.
        saver = ScreenSaver(s.display, 1)
        try:
            end = time.monotonic() + 4
            while time.monotonic() < end:
                self.assertFalse(saver.on(), "the screen saver came on while shaking")
                time.sleep(0.1)
            proc.send_signal(signal.SIGTERM)
            proc.wait(10)
            s.wait_for(saver.on, "the screen saver once wigglet has ended", seconds=6)
        finally:
            saver.close()

    def test_a_session_bus_that_comes_back_gets_the_inhibit_and_finds_wigglet_again(self):
        s = self.session
        # A session's address names the socket only, as a desktop's does: a bus that starts
        # again there has a new identity, which an address with a guid would refuse.
        path = s.bus_address.split("unix:path=", 1)[1].split(",", 1)[0]
        address = "unix:path=" + path
        start_logged(s, env=dict(s.env(), DBUS_SESSION_BUS_ADDRESS=address))
        self.shake()
        old = s.processes[1]
        old.kill()
        old.wait()
        if os.path.exists(path):
            os.unlink(path)
        bus = subprocess.Popen(["dbus-daemon", "--config-file", os.path.join(s.dir, "bus.conf"),
                                "--address", address, "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        s.processes.append(bus)
        bus.stdout.readline()
        env = dict(s.env(), DBUS_SESSION_BUS_ADDRESS=address)
        monitor = subprocess.Popen(["dbus-monitor", "--address", address,
                                    "type='method_call',member='Inhibit'"],
                                   env=env, stdout=subprocess.PIPE, text=True)
        s.processes.append(monitor)
        try:
            s.wait_for(lambda: os.path.exists(path), "the new bus")
            time.sleep(6)
        finally:
            monitor.terminate()
        seen = monitor.communicate(timeout=5)[0]
        self.assertIn("member=Inhibit", seen, "no Inhibit on the bus that came back")
        self.assertIn('string "Wigglet"', seen)
        s.bus_address = address
        status = s.status()
        self.assertIsNotNone(status, "wigglet status found no program on the bus that came back")
        self.assertTrue(status["shaking"])

    def test_period_end_without_notification_server_goes_on(self):
        # The private bus has no notification server: the "time is up" notice has nowhere to go.
        s = self.session
        proc = start_logged(s)
        self.assertEqual(s.run("shake", "1").returncode, 0)
        self.assertTrue(s.status()["timed"])
        s.wait_for(lambda: not s.status()["shaking"], "the period's end", seconds=75)
        self.assertIsNone(proc.poll())
        ended = last_time(s)
        started = time.monotonic()
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertLess(time.monotonic() - started, 5, "the program answered slowly")
        self.assertTrue(wait_for_steps_after(s, ended), "no step after the period ended")

    def test_read_only_settings_folder_keeps_changes_in_memory_until_writable(self):
        if os.geteuid() == 0 and not shutil.which("chattr"):
            self.skipTest("chattr is needed to make a folder read-only for root")
        s = self.session
        folder = os.path.join(s.dir, "config")
        os.mkdir(folder)
        s.settings = os.path.join(folder, "settings.json")
        with open(s.settings, "w") as f:
            json.dump(RETURNING_USER, f)
        start_logged(s)
        before = read_bytes(s.settings)
        self.lock(folder, True)
        try:
            for shaking in (True, False, True):
                self.assertEqual(s.run("toggle").returncode, 0)
                self.assertEqual(s.status()["shaking"], shaking)
            self.assertEqual(read_bytes(s.settings), before)
        finally:
            self.lock(folder, False)
        warnings = [r["text"] for r in trace(s) if r["ev"] == "log" and r["level"] == "error"]
        self.assertEqual(len(warnings), 1, warnings)
        self.assertIn("Cannot save settings", warnings[0])
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertFalse(s.status()["shaking"])
        self.assertFalse(s.stored()["shakeEnabled"])
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertTrue(s.stored()["shakeEnabled"])

    def lock(self, folder, locked):
        if os.geteuid() == 0:
            subprocess.run(["chattr", "+i" if locked else "-i", folder], check=True)
        else:
            os.chmod(folder, 0o500 if locked else 0o700)

    def test_hand_edit_while_running_is_kept(self):
        s = self.session
        start_logged(s)
        edited = dict(RETURNING_USER, moveCursorEnabled=False, userNote="kept")
        write_atomically(s.settings, json.dumps(edited))
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertFalse(s.status()["moveCursor"])
        self.assertTrue(wait_for_steps_after(s, 0.0))
        time.sleep(3)
        self.assertFalse([r for r in steps_after(s, 0.0) if r["ev"] == "warp"],
                         "the pointer moved after the user switched it off in the file")
        stored = s.stored()
        self.assertEqual((stored["moveCursorEnabled"], stored["userNote"], stored["shakeEnabled"]),
                         (False, "kept", True))


WRONG_TYPES = {
    "notFirstLaunch": True, "zenEnabled": "yes", "moveCursorEnabled": [1], "clickEnabled": {},
    "scrollEnabled": "on", "shakeEnabled": "true", "timeElapsedThreshold": "ten",
    "shakeHotkey": 17, "dimLightOption": [2], "batteryLevelThreshold": "low",
    "stopShakingBattery": 3.5, "shakeClickButton": None, "shakeClickCustomPosition": True,
    "shakeClickPosition": "centre", "lastDurationSelected": "thirty", "clickSwitched": [],
    "statusIconIndex": {"a": 1}, "shakingTypeIndex": "2", "switchTabsEnabled": 9,
    "scrollTypeIndex": False, "scrollTabType": [None], "tabScrollTopEnabled": "x",
}
BROKEN_SHORTCUT = dict(RETURNING_USER, shakeHotkey={
    "data": base64.b64encode(b"{not json at all").decode()})


class BrokenSettingsTest(unittest.TestCase):
    """Each row: settings a user could leave behind; the default shortcut still toggles and a
    run in which the user changes nothing leaves the file as it was."""
    rows = {"every key has the wrong type": WRONG_TYPES,
            "the shortcut record is not JSON": BROKEN_SHORTCUT}

    def test_fallbacks_hold(self):
        if not shutil.which("xdotool"):
            self.skipTest("xdotool is not installed")
        for name, settings in self.rows.items():
            with self.subTest(name):
                try:
                    s = Session(WIGGLET, settings)
                except RuntimeError as why:
                    self.skipTest(str(why))
                try:
                    self.check(s)
                finally:
                    s.close()

    def check(self, s):
        before = read_bytes(s.settings)
        proc = start_logged(s)
        time.sleep(2)
        proc.send_signal(signal.SIGTERM)
        proc.wait(10)
        self.assertEqual(read_bytes(s.settings), before, "a run without changes rewrote the file")
        start_logged(s)
        first = s.status()["shaking"]
        for expected in (not first, first):
            subprocess.run(["xdotool", "key", "super+alt+s"], env=s.env(), check=True)
            s.wait_for(lambda: s.status()["shaking"] == expected, "the default shortcut")


class TakenShortcutTest(unittest.TestCase):
    def test_wigglet_runs_when_another_program_holds_the_shortcut(self):
        if not ctypes.util.find_library("X11"):
            self.skipTest("libX11 is not installed")
        try:
            s = Session(WIGGLET, RETURNING_USER)
        except RuntimeError as why:
            self.skipTest(str(why))
        try:
            grabber = subprocess.Popen([sys.executable, "-c", GRABBER], env=s.env(),
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
            s.processes.append(grabber)
            self.assertEqual(grabber.stdout.readline().strip(), "grabbed")
            proc = start_logged(s)
            self.assertEqual(s.run("toggle").returncode, 0)
            self.assertTrue(s.status()["shaking"])
            self.assertTrue(wait_for_steps_after(s, 0.0))
            self.assertIsNone(proc.poll())
            print("\n  stderr with the shortcut taken:", stderr_lines(s), file=sys.stderr)
        finally:
            s.close()


if __name__ == "__main__":
    WIGGLET = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
