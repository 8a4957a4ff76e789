"""End-to-end checks of the real `wigglet` on its own Xvfb server and session bus.

Usage: test_wigglet.py WIGGLET ARTIFACTS_FOLDER [unittest arguments]
"""

import os
import re
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from session import DBUSMOCK, Session, leaves_and_returns, wait_for  # noqa: E402

WIGGLET = None
ARTIFACTS = None

SHAKING_ON = {"notFirstLaunch": True, "shakeEnabled": True, "lastDurationSelected": 0,
              "moveCursorEnabled": True}
SHAKING_OFF = {"notFirstLaunch": True, "shakeEnabled": False}
NO_TRAY_NOTICE = "no system tray is running"
# The status icons are outlined in this colour; the tray panel has none of it.
ICON_OUTLINE = "1E1E1E"
TRAYER = ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
          "64", "--heighttype", "pixel", "--height", "24"]


def is_event(kind, field, value):
    return lambda line: line.get("ev") == kind and line.get(field) == value
def is_assertion(op):
    return lambda line: line.get("ev") == "assertion" and line.get("op") == op


def is_window_shown(id):
    return lambda line: (line.get("ev") == "window" and line.get("id") == id
                         and line.get("action") == "show")


def is_broadcast(name):
    return lambda line: line.get("ev") == "broadcast" and line.get("name") == name


def pointer(session):
    out = session.x("xdotool", "getmouselocation", "--shell")
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return int(values["X"]), int(values["Y"])


def windows(session):
    """Every window of the tree as (id, name, x, y, width, height, depth) in root coordinates,
    the depth being 1 for the root's children."""
    found = []
    for line in session.x("xwininfo", "-root", "-tree").splitlines():
        match = re.match(r'^(\s*)(0x[0-9a-f]+) (?:"([^"]*)"|\(has no name\)).*?'
                         r'(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+?(-?\d+)\+?(-?\d+)\s*$', line)
        if match:
            indent, wid, name, w, h, x, y = match.groups()
            found.append((wid, name or "", int(x), int(y), int(w), int(h),
                          (len(indent) - 5) // 3 + 1))
    return found


def screenshot(session, path, crop=None):
    xwd = subprocess.run(["xwd", "-root", "-silent"], env=session.env(), capture_output=True,
                         timeout=10, check=True).stdout
    args = ["convert", "xwd:-"] + (["-crop", "%dx%d+%d+%d" % crop, "+repage"] if crop else [])
    subprocess.run(args + [path], input=xwd, check=True, timeout=20)


def colours(png):
    """The distinct colours of an image, as #rrggbb strings."""
    out = subprocess.run(["convert", png, "-depth", "8", "txt:-"], capture_output=True,
                         text=True, check=True, timeout=20).stdout
    return set(re.findall(r"#([0-9A-Fa-f]{6})", out))


class WiggletTest(unittest.TestCase):
    def setUp(self):
        self.session = Session(WIGGLET)
        self.addCleanup(self.session.close)

    def launch(self, settings):
        self.session.write_settings(settings)
        process = self.session.start()
        self.wait_for_trace(is_event("broadcast", "name", "Shake Changed"), "the launch to finish")
        return process

    def windows_shown(self):
        """Each time the main window was shown, as the trace tells."""
        return [line for line in self.session.trace() if is_window_shown("mainWindow")(line)]

    def wait_for_trace(self, predicate, what, seconds=5):
        wait_for(lambda: any(predicate(line) for line in self.session.trace()), what, seconds)


class ShakingTest(WiggletTest):
    def test_the_pointer_leaves_its_place_and_comes_back_within_five_seconds(self):
        home = (400, 300)
        self.session.x("xdotool", "mousemove", *map(str, home))
        started = time.monotonic()
        self.launch(SHAKING_ON)
        left, returned = leaves_and_returns(lambda: pointer(self.session), home,
                                            5 - (time.monotonic() - started))
        self.assertIsNotNone(left, "the pointer never left its place")
        self.assertIsNotNone(returned, f"the pointer went to {left} and did not come back")

class LifetimeTest(WiggletTest):
    def test_a_second_wigglet_exits_zero_at_once_and_the_first_goes_on(self):
        first = self.launch(SHAKING_OFF)
        second = self.session.run("--settings", self.session.settings, timeout=10)
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertIn("already running", second.stdout)
        self.assertIsNone(first.poll(), "the first wigglet ended")
        self.session.x("xdotool", "key", "alt+super+s")
        self.wait_for_trace(is_event("assertion", "op", "create"),
                            "the first wigglet to answer its shortcut")
        self.assertIsNone(first.poll())

class StartNoticeTest(WiggletTest):
    def notices(self, name):
        return [(line["title"], line["body"]) for line in self.session.trace(name)
                if line["ev"] == "notify"]

    def test_a_set_aside_settings_file_and_resumed_shaking_are_told_once_each(self):
        s = self.session
        s.spawn(DBUSMOCK + ["--template", "notification_daemon"], "notifications")
        wait_for(lambda: s.running("org.freedesktop.Notifications"), "the notification daemon")
        with open(s.settings, "w") as f:
            f.write("{not json")
        first = s.start()
        wait_for(lambda: self.notices("wigglet"), "the set-aside notice")
        aside = [name for name in os.listdir(s.dir) if ".corrupt-" in name]
        self.assertEqual(len(aside), 1, aside)
        (title, body), = self.notices("wigglet")
        self.assertEqual(title, "Settings file set aside")
        self.assertIn(aside[0], body)
        self.assertIn(aside[0], s.output())
        first.send_signal(signal.SIGTERM)
        self.assertEqual(first.wait(10), 0)

        s.write_settings(SHAKING_ON)
        s.start(name="again")
        wait_for(lambda: self.notices("again"), "the resumed-shaking notice")
        time.sleep(2)
        self.assertEqual([title for title, _ in self.notices("again")], ["Wigglet is shaking"])


class WindowManagerTest(WiggletTest):
    def test_under_openbox_the_first_launch_window_is_framed_and_wholly_on_screen(self):
        s = self.session
        s.spawn(["openbox", "--sm-disable"], "openbox")
        wait_for(lambda: "window id" in s.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
                 "openbox to manage the screen", 10)
        s.write_settings({})
        process = s.start()
        self.wait_for_trace(lambda line: line.get("ev") == "window", "the welcome window")

        def framed():
            tree = windows(s)
            for client in self.clients(process.pid):
                at = next((i for i, w in enumerate(tree) if int(w[0], 16) == client), None)
                if at is not None and tree[at][6] > 1:
                    return next(w for w in reversed(tree[:at]) if w[6] == 1)
            return None

        wait_for(lambda: framed() is not None, "openbox to frame the window", 10)
        _, _, x, y, width, height, _ = framed()
        self.assertGreaterEqual(min(x, y), 0)
        self.assertLessEqual((x + width, y + height), (1280, 800))

    def clients(self, pid):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                             env=self.session.env(), capture_output=True, text=True).stdout
        return [int(line) for line in out.split()]


class TrayTest(WiggletTest):
    def start_tray(self):
        self.session.spawn(TRAYER, "trayer")
        wait_for(lambda: self.panel() is not None, "trayer's panel", 10)

    def window(self, where):
        """The first window of the tree for which WHERE(name, x, y, width, height, depth) holds."""
        return next((w for w in windows(self.session) if where(*w[1:])), None)

    def panel(self):
        return self.window(lambda name, x, y, w, h, depth: name == "panel" and depth == 1)

    def embedded_icon(self):
        """The Wigglet window that sits inside the tray panel, if any."""
        panel = self.panel()
        if panel is None:
            return None
        _, _, px, py, pw, ph, _ = panel
        return self.window(lambda name, x, y, w, h, depth: name == "Wigglet" and depth > 1 and
                           px <= x and x + w <= px + pw and py <= y and y + h <= py + ph)

    def wait_for_icon(self):
        wait_for(lambda: self.embedded_icon() is not None, "the tray to embed the icon", 10)
        # Embedding and painting are separate steps.
        icon = self.embedded_icon()
        crop = (icon[4], icon[5], icon[2], icon[3])
        shot = self.session.path("icon.png")

        def painted():
            screenshot(self.session, shot, crop)
            return ICON_OUTLINE in {c.upper() for c in colours(shot)}

        self.session.x("xdotool", "mousemove", "10", "790")
        wait_for(painted, "the icon's window to show the icon", 5, interval=0.2)
        return icon

    def menu(self):
        return self.window(lambda name, x, y, w, h, depth: name == "Wigglet" and depth == 1 and
                           w > 100 and h > 100)

    def test_with_the_tray_running_the_icon_appears_and_a_click_opens_the_menu(self):
        self.start_tray()
        self.launch(SHAKING_OFF)
        icon = self.wait_for_icon()
        self.session.x("xdotool", "mousemove", str(icon[2] + icon[4] // 2),
                       str(icon[3] + icon[5] // 2), "click", "1")
        wait_for(lambda: self.menu() is not None, "the menu to open", 5)
        menu = self.menu()
        time.sleep(0.5)  # the menu's first paint
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, "tray-menu.png")
        screenshot(self.session, path)
        menu_shot = self.session.path("menu.png")
        screenshot(self.session, menu_shot, (menu[4], menu[5], menu[2], menu[3]))
        self.assertGreater(len(colours(menu_shot)), 8,
                           "the menu's area is blank")
        self.assertNotIn(NO_TRAY_NOTICE, self.session.output())

    def test_without_a_tray_it_says_so_once_and_the_icon_appears_when_one_starts(self):
        self.launch(SHAKING_OFF)
        self.assertEqual(self.session.output().count(NO_TRAY_NOTICE), 1)
        self.start_tray()
        self.wait_for_icon()
        self.assertEqual(self.session.output().count(NO_TRAY_NOTICE), 1)



class ActivationTest(WiggletTest):
    def application(self, method, *args):
        return subprocess.run(["gdbus", "call", "--session", "--dest", "org.wigglet.Wigglet",
                               "--object-path", "/org/wigglet/Wigglet", "--method",
                               "org.freedesktop.Application." + method, *args],
                              env=self.session.env(), capture_output=True, text=True, timeout=20)

    def test_started_by_the_bus_it_waits_and_activation_or_a_second_launch_opens_the_window(self):
        s = self.session
        s.write_settings(SHAKING_OFF)
        s.start("--service")
        self.wait_for_trace(is_broadcast("Shake Changed"), "the launch to finish")
        self.assertEqual(self.windows_shown(), [])
        self.assertEqual(self.application("Activate", "@a{sv} {}").returncode, 0)
        self.assertEqual(len(self.windows_shown()), 1)
        second = s.run("--settings", s.settings, timeout=10)
        self.assertIn("already running", second.stdout)
        self.assertEqual(len(self.windows_shown()), 2)
        self.assertEqual(self.application("ActivateAction", "toggle", "@av []", "@a{sv} {}").returncode, 0)
        self.assertTrue(s.status()["shaking"])
        self.assertEqual(self.application("ActivateAction", "shake", "[<int64 20>]", "@a{sv} {}")
                         .returncode, 0)
        self.assertEqual(s.status()["lastDurationSelected"], 20)
        for bad in (("jiggle", "@av []"), ("shake", "[<'ten'>]"), ("shake", "[<int64 -4>]")):
            reply = self.application("ActivateAction", *bad, "@a{sv} {}")
            self.assertIn("InvalidArgs", reply.stderr, bad)
        self.assertEqual(s.status()["lastDurationSelected"], 20)

    def test_without_a_tray_the_window_opens_at_launch_and_from_the_application_grid(self):
        self.launch(SHAKING_OFF)
        self.assertEqual(len(self.windows_shown()), 1)
        self.session.close_program()
        # As the application grid does: Activate on a name nobody owns starts Wigglet.
        self.assertEqual(self.application("Activate", "@a{sv} {}").returncode, 0)
        wait_for(lambda: self.session.x("xdotool", "search", "--onlyvisible", "--name",
                                        "^Wigglet$").strip(), "the window of the started Wigglet", 10)


class ShakingNotificationTest(WiggletTest):
    def calls(self, member):
        with open(self.session.path("notifications.log")) as f:
            return [line for line in f if f" {member} " in line]

    def invoke(self, action):
        subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.Notifications",
                        "--object-path", "/org/freedesktop/Notifications", "--method",
                        "org.freedesktop.DBus.Mock.EmitSignal", "org.freedesktop.Notifications",
                        "ActionInvoked", "us", f"[<uint32 1>, <'{action}'>]"],
                       env=self.session.env(), check=True, capture_output=True, timeout=10)

    def test_it_is_resident_while_shaking_a_click_opens_the_window_and_stop_stops(self):
        s = self.session
        s.spawn(DBUSMOCK + ["--template", "notification_daemon", "-l",
                            s.path("notifications.log")], "notifications")
        wait_for(lambda: s.running("org.freedesktop.Notifications"), "the notification daemon")
        self.launch(SHAKING_OFF)
        s.run("shake", "90")
        wait_for(lambda: self.calls("Notify"), "the notification")
        (shown,) = self.calls("Notify")
        for part in ('"Wigglet is shaking"', '"Shaking: 01h 30m"', '"stop", "Stop"]',
                     '"resident": True'):
            self.assertIn(part, shown)
        opened = len(self.windows_shown())
        self.invoke("default")
        wait_for(lambda: len(self.windows_shown()) == opened + 1, "a click to open the window")
        self.invoke("stop")
        wait_for(lambda: not s.status()["shaking"], "the Stop action to stop shaking")
        wait_for(lambda: self.calls("CloseNotification"), "the notification to go")
        self.assertEqual(len(self.calls("Notify")), 1)


def main():
    global WIGGLET, ARTIFACTS
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    WIGGLET = os.path.abspath(sys.argv[1])
    ARTIFACTS = os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)


if __name__ == "__main__":
    main()
