"""End-to-end checks of the real `wigglet` on its own Xvfb server and session bus.

Usage: test_wigglet.py WIGGLET ARTIFACTS_FOLDER [unittest arguments]
Exits 77 (skipped) when the X server or the tools that drive it are missing.
"""

import os
import signal
import subprocess
import sys
import time
import unittest

from desktop_session import SCREEN, DesktopSession, missing_tools

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


def is_assertion(op):
    return lambda line: line.get("ev") == "assertion" and line.get("op") == op


def is_broadcast(name):
    return lambda line: line.get("ev") == "broadcast" and line.get("name") == name


class WiggletTest(unittest.TestCase):
    def setUp(self):
        self.session = DesktopSession(WIGGLET)
        self.addCleanup(self.session.close)

    def launch(self, settings, name="wigglet"):
        process = self.session.start_wigglet(self.session.write_settings(settings), name)
        self.assertTrue(self.session.wait_for_trace(is_broadcast("Shake Changed"), 10, name),
                        "wigglet did not finish launching: " + self.session.output(name))
        return process


class ShakingTest(WiggletTest):
    def test_the_pointer_leaves_its_place_and_comes_back_within_five_seconds(self):
        home = (400, 300)
        self.session.x("xdotool", "mousemove", *map(str, home))
        started = time.monotonic()
        self.launch(SHAKING_ON)
        left = returned = None
        while time.monotonic() - started < 5 and returned is None:
            where = self.session.pointer()
            if left is None and where != home:
                left = where
            elif left is not None and where == home:
                returned = where
            time.sleep(0.02)
        self.assertIsNotNone(left, "the pointer never left its place")
        self.assertIsNotNone(returned, f"the pointer went to {left} and did not come back")

    def test_the_global_shortcut_pressed_through_xtest_stops_shaking(self):
        self.launch(SHAKING_ON)
        self.assertTrue(self.session.wait_for_trace(is_assertion("create"), 5))
        self.session.x("xdotool", "key", "alt+super+s")
        self.assertTrue(self.session.wait_for(
            lambda: self.session.read_settings().get("shakeEnabled") is False, 5),
            "the settings file still says shaking is on")
        self.assertTrue(self.session.wait_for_trace(is_assertion("release"), 5))

    def test_nobody_touching_the_machine_for_eight_seconds_is_never_an_interruption(self):
        self.launch(SHAKING_ON)
        time.sleep(8)
        trace = self.session.trace()
        self.assertTrue(any(line["ev"] == "warp" for line in trace),
                        "no pointer step ran, so the check below proves nothing")
        interruptions = [line for line in trace
                         if is_broadcast("Shake Interrupted By User")(line)]
        self.assertEqual(interruptions, [])


class LifetimeTest(WiggletTest):
    def test_a_second_wigglet_exits_zero_at_once_and_the_first_goes_on(self):
        first = self.launch(SHAKING_OFF)
        second = self.session.run_wigglet(self.session.path("settings.json"), timeout=10)
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertIn("already running", second.stdout)
        self.assertIsNone(first.poll(), "the first wigglet ended")
        self.session.x("xdotool", "key", "alt+super+s")
        self.assertTrue(self.session.wait_for_trace(is_assertion("create"), 5),
                        "the first wigglet no longer answers its shortcut")
        self.assertIsNone(first.poll())

    def test_sigterm_ends_it_with_status_zero_and_the_assertion_released(self):
        process = self.launch(SHAKING_ON)
        self.assertTrue(self.session.wait_for_trace(is_assertion("create"), 5))
        process.send_signal(signal.SIGTERM)
        self.assertEqual(process.wait(10), 0)
        assertions = [line for line in self.session.trace() if line["ev"] == "assertion"]
        self.assertEqual(assertions[-1]["op"], "release")


@unittest.skipIf(missing_tools("trayer", "xwd", "convert"),
                 "trayer, xwd (x11-apps) and convert (imagemagick) are needed")
class TrayTest(WiggletTest):
    def start_tray(self):
        self.session.start(TRAYER, "trayer")
        self.assertTrue(self.session.wait_for(lambda: self.panel() is not None, 10),
                        "trayer showed no panel")

    def panel(self):
        for window in self.session.windows():
            if window[1] == "panel" and window[6] == 1:
                return window
        return None

    def embedded_icon(self):
        """The Wigglet window that sits inside the tray panel, if any."""
        panel = self.panel()
        if panel is None:
            return None
        _, _, px, py, pw, ph, _ = panel
        for window in self.session.windows():
            _, name, x, y, w, h, depth = window
            if (name == "Wigglet" and depth > 1 and px <= x and x + w <= px + pw
                    and py <= y and y + h <= py + ph):
                return window
        return None

    def wait_for_icon(self):
        self.assertTrue(self.session.wait_for(lambda: self.embedded_icon() is not None, 10),
                        "the tray did not embed the icon")
        # Embedding and painting are separate steps.
        icon = self.embedded_icon()
        crop = (icon[4], icon[5], icon[2], icon[3])
        shot = self.session.path("icon.png")

        def painted():
            self.session.screenshot(shot, crop)
            return ICON_OUTLINE in {c.upper() for c in self.session.colours(shot)}

        self.session.x("xdotool", "mousemove", "10", str(SCREEN[1] - 10))
        self.assertTrue(self.session.wait_for(painted, 5, interval=0.2),
                        "the icon's window shows no icon")
        return icon

    def menu(self):
        for window in self.session.windows():
            _, name, _, _, w, h, depth = window
            if name == "Wigglet" and depth == 1 and w > 100 and h > 100:
                return window
        return None

    def test_with_the_tray_running_the_icon_appears_and_a_click_opens_the_menu(self):
        self.start_tray()
        self.launch(SHAKING_OFF)
        icon = self.wait_for_icon()
        self.session.x("xdotool", "mousemove", str(icon[2] + icon[4] // 2),
                       str(icon[3] + icon[5] // 2), "click", "1")
        self.assertTrue(self.session.wait_for(lambda: self.menu() is not None, 5),
                        "no menu opened")
        menu = self.menu()
        time.sleep(0.5)  # the menu's first paint
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, "tray-menu.png")
        self.session.screenshot(path)
        menu_shot = self.session.path("menu.png")
        self.session.screenshot(menu_shot, (menu[4], menu[5], menu[2], menu[3]))
        self.assertGreater(len(self.session.colours(menu_shot)), 8,
                           "the menu's area is blank")
        self.assertNotIn(NO_TRAY_NOTICE, self.session.output("wigglet"))

    def test_without_a_tray_it_says_so_once_and_the_icon_appears_when_one_starts(self):
        self.launch(SHAKING_OFF)
        self.assertEqual(self.session.output("wigglet").count(NO_TRAY_NOTICE), 1)
        self.start_tray()
        self.wait_for_icon()
        self.assertEqual(self.session.output("wigglet").count(NO_TRAY_NOTICE), 1)


def main():
    global WIGGLET, ARTIFACTS
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    WIGGLET = os.path.abspath(sys.argv[1])
    ARTIFACTS = os.path.abspath(sys.argv[2])
    rest = sys.argv[3:]
    missing = missing_tools("Xvfb", "dbus-daemon", "xdotool", "xwininfo")
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(77)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
