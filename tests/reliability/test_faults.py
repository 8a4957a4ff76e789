#!/usr/bin/env python3
"""Faults around the real wigglet: its X server or session bus going away, no notification
server, a read-only settings folder, hand-edited and broken settings.

Usage: test_faults.py WIGGLET
"""
import base64
import ctypes
import ctypes.util
import json
import os
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from session import RETURNING_USER, Session, wait_for  # noqa: E402

WIGGLET = None


class ScreenSaver:
    """The X server's own screen saver, seen from a client of its own: a short timeout, and
    whether it has come on."""

    class Info(ctypes.Structure):
        _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                    ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong),
                    ("event_mask", ctypes.c_ulong)]

    def __init__(self, display, timeout):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xss = ctypes.CDLL(ctypes.util.find_library("Xss"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.display = ctypes.c_void_p(self.x.XOpenDisplay(display.encode()))
        self.root = ctypes.c_ulong(self.x.XDefaultRootWindow(self.display))
        self.info = self.Info()
        self.x.XSetScreenSaver(self.display, timeout, 0, 0, 0)
        self.x.XSync(self.display, 0)

    def on(self):
        self.xss.XScreenSaverQueryInfo(self.display, self.root, ctypes.byref(self.info))
        return self.info.state == 1

    def close(self):
        self.x.XCloseDisplay(self.display)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def write_atomically(path, text):
    with open(path + ".edit", "w") as f:
        f.write(text)
    os.replace(path + ".edit", path)


class FaultTest(unittest.TestCase):
    settings = RETURNING_USER

    def setUp(self):
        self.session = Session(WIGGLET, self.settings)
        self.addCleanup(self.session.close)

    def shake(self):
        self.assertEqual(self.session.run("toggle").returncode, 0)
        self.session.wait_for_steps_after(0.0)

    def test_lost_x_server_ends_wigglet_with_one_line_and_intact_settings(self):
        s = self.session
        proc = s.start()
        self.shake()
        before = read_bytes(s.settings)
        xvfb = s.processes[0]
        xvfb.kill()
        xvfb.wait()
        gone = time.monotonic()
        proc.wait(5)
        self.assertLess(time.monotonic() - gone, 1.0, "wigglet outlived its display by a second")
        self.assertEqual(proc.returncode, 1)
        lines = [line for line in s.output_lines() if "system tray" not in line]
        self.assertEqual(lines, ["wigglet: the X server has gone away; quitting"])
        self.assertEqual(read_bytes(s.settings), before)
        self.assertTrue(json.loads(before)["shakeEnabled"])

    def test_lost_session_bus_leaves_shaking_on(self):
        s = self.session
        proc = s.start()
        self.shake()
        bus = s.processes[1]
        bus.kill()
        bus.wait()
        s.wait_for_steps_after(s.last_time() + 3.5)
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
            wait_for(saver.on, "the screen saver once wigglet has ended", seconds=6)
        finally:
            saver.close()

    def test_a_session_bus_that_comes_back_gets_the_inhibit_and_finds_wigglet_again(self):
        s = self.session
        # A session's address names the socket only, as a desktop's does: a bus that starts
        # again there has a new identity, which an address with a guid would refuse.
        path = s.bus_address.split("unix:path=", 1)[1].split(",", 1)[0]
        address = "unix:path=" + path
        s.start(env=dict(s.env(), DBUS_SESSION_BUS_ADDRESS=address))
        self.shake()
        old = s.processes[1]
        old.kill()
        old.wait()
        if os.path.exists(path):
            os.unlink(path)
        bus = subprocess.Popen(["dbus-daemon", "--config-file", s.path("session-bus.conf"),
                                "--address", address, "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        s.processes.append(bus)
        bus.stdout.readline()
        env = dict(s.env(), DBUS_SESSION_BUS_ADDRESS=address)
        s.spawn(["dbus-monitor", "--address", address, "type='method_call',member='Inhibit'",
                 "type='signal',member='NameOwnerChanged'"], "monitor", env)

        def monitor_sees_a_newcomer():
            subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                            "--object-path", "/org/freedesktop/DBus", "--method",
                            "org.freedesktop.DBus.GetId"], env=env, capture_output=True)
            return "NameOwnerChanged" in s.output("monitor")
        wait_for(monitor_sees_a_newcomer, "the monitor on the bus that came back")
        # The desktop's screen-saver service starts on the new bus, after Wigglet rejoined it.
        s.spawn(["/usr/bin/python3", "-m", "dbusmock", "org.freedesktop.ScreenSaver",
                 "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"], "saver", env)
        wait_for(lambda: "member=Inhibit" in s.output("monitor"), "Inhibit on the bus that came back")
        self.assertIn('string "Wigglet"', s.output("monitor"))
        s.bus_address = address
        status = s.status()
        self.assertIsNotNone(status, "wigglet status found no program on the bus that came back")
        self.assertTrue(status["shaking"])

    def test_read_only_settings_folder_keeps_changes_in_memory_until_writable(self):
        s = self.session
        folder = os.path.join(s.dir, "locked-config")
        os.mkdir(folder)
        s.settings = os.path.join(folder, "settings.json")
        s.write_settings(RETURNING_USER)
        s.start()
        before = read_bytes(s.settings)
        self.lock(folder, True)
        try:
            for shaking in (True, False, True):
                self.assertEqual(s.run("toggle").returncode, 0)
                self.assertEqual(s.status()["shaking"], shaking)
            self.assertEqual(read_bytes(s.settings), before)
            self.assertIn("settingsNotSaved", s.status())
            self.assertIn("Settings are held in memory only: ", s.run("status").stdout)
        finally:
            self.lock(folder, False)
        warnings = [r["text"] for r in s.trace() if r["ev"] == "log" and r["level"] == "error"]
        self.assertEqual(len(warnings), 1, warnings)
        self.assertIn("Cannot save settings", warnings[0])
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertFalse(s.status()["shaking"])
        self.assertFalse(s.stored()["shakeEnabled"])
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertTrue(s.stored()["shakeEnabled"])
        self.assertNotIn("settingsNotSaved", s.status())
        saved = [r for r in s.trace() if r["ev"] == "log" and "saved to" in r["text"]]
        self.assertEqual([(r["level"], r["text"].endswith(" again.")) for r in saved],
                         [("info", True)], "the return to the disk is said once")

    def lock(self, folder, locked):
        if os.geteuid() == 0:
            subprocess.run(["chattr", "+i" if locked else "-i", folder], check=True)
        else:
            os.chmod(folder, 0o500 if locked else 0o700)

    def test_hand_edit_while_running_is_kept(self):
        s = self.session
        s.start()
        edited = dict(RETURNING_USER, moveCursorEnabled=False, userNote="kept")
        write_atomically(s.settings, json.dumps(edited))
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertFalse(s.status()["moveCursor"])
        wait_for(lambda: len(s.steps_after(0.0)) >= 3, "three steps")
        self.assertFalse([r for r in s.steps_after(0.0) if r["ev"] == "warp"],
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
        for name, settings in self.rows.items():
            with self.subTest(name):
                s = Session(WIGGLET, settings)
                try:
                    self.check(s)
                finally:
                    s.close()

    def check(self, s):
        before = read_bytes(s.settings)
        proc = s.start()
        time.sleep(2)
        proc.send_signal(signal.SIGTERM)
        proc.wait(10)
        self.assertEqual(read_bytes(s.settings), before, "a run without changes rewrote the file")
        s.start()
        first = s.status()["shaking"]
        for expected in (not first, first):
            s.x("xdotool", "key", "super+alt+s")
            wait_for(lambda: s.status()["shaking"] == expected, "the default shortcut")


if __name__ == "__main__":
    WIGGLET = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
