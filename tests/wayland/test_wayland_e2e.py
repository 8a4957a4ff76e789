"""End-to-end checks of the real `wigglet` in a Wayland session: a headless compositor, its own
session bus, and a fake logind on a system bus of its own.

Usage: test_wayland_e2e.py WIGGLET PEER [unittest arguments]
"""

import os
import signal
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
from session import DBUSMOCK, Session, wait_for  # noqa: E402

WIGGLET = None
PEER = None

SHAKING_ON = {"notFirstLaunch": True, "shakeEnabled": True, "lastDurationSelected": 0,
              "moveCursorEnabled": True}
SHAKING_OFF = {"notFirstLaunch": True, "shakeEnabled": False}


class WaylandTest(unittest.TestCase):
    compositor = "sway"

    def setUp(self):
        self.session = Session(WIGGLET, compositor=self.compositor, peer=PEER)
        self.addCleanup(self.session.close)

    def launch(self, settings):
        self.session.write_settings(settings)
        # As the bus starts it: without a tray Wigglet would otherwise open its window over
        # the peer's, which then no longer sees the pointer.
        return self.session.start("--service")

    def shaking(self):
        return self.session.status()["shaking"]


class SwayTest(WaylandTest):
    def test_the_pointer_leaves_its_place_and_comes_back(self):
        self.session.ask_peer("hand")
        home = self.session.ask_peer("pointer")
        self.assertNotEqual(home, "none", "the window never saw the user's pointer")
        self.launch(SHAKING_ON)
        left = returned = None
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline and returned is None:
            where = self.session.ask_peer("pointer")
            if left is None and where != home:
                left = where
            elif left is not None and where == home:
                returned = where
            time.sleep(0.02)
        self.assertIsNotNone(left, "the pointer never left its place")
        self.assertIsNotNone(returned, f"the pointer went to {left} and did not come back")

    def test_swayidle_never_fires_while_it_shakes_and_fires_once_it_has_ended(self):
        fired = self.session.path("idle")
        wigglet = self.launch(SHAKING_ON)
        self.session.spawn(["swayidle", "-w", "timeout", "4", f"touch {fired}"], "swayidle")
        time.sleep(10)
        self.assertFalse(os.path.exists(fired), "swayidle fired while Wigglet was shaking")
        self.assertIn("idle", self.session.inhibitors(), "logind's idle inhibitor is not held")
        wigglet.send_signal(signal.SIGTERM)
        self.assertEqual(wigglet.wait(10), 0)
        wait_for(lambda: os.path.exists(fired), "swayidle to fire without Wigglet", 15, 0.2)

    def test_toggle_stops_and_starts_shaking(self):
        self.launch(SHAKING_ON)
        wait_for(self.shaking, "shaking to start", 10, 0.2)
        self.assertEqual(self.session.run("toggle").returncode, 0)
        wait_for(lambda: not self.shaking(), "toggle to stop shaking", 10, 0.2)
        self.assertEqual(self.session.run("toggle").returncode, 0)
        wait_for(self.shaking, "toggle to start shaking again", 10, 0.2)

    def test_the_tray_item_registers_with_the_status_notifier_watcher(self):
        log = self.session.path("watcher.log")
        template = os.path.join(HERE, "sni_watcher.py")
        self.session.spawn(DBUSMOCK + ["--template", template, "-l", log], "watcher")
        wait_for(lambda: os.path.exists(log) and
                 self.session.running("org.kde.StatusNotifierWatcher"), "the watcher", 20, 0.1)
        self.launch(SHAKING_OFF)

        def registered():
            with open(log) as f:
                return "RegisterStatusNotifierItem" in f.read()

        wait_for(registered, "Wigglet's tray item to register", 15, 0.2)
        self.assertNotIn("no system tray is running", self.session.output())



class KWinTest(SwayTest):
    compositor = "kwin"


class WestonTest(WaylandTest):
    compositor = "weston"

    def test_it_says_in_one_line_what_it_cannot_do_stays_up_and_keeps_the_display_awake(self):
        wigglet = self.launch(SHAKING_ON)
        wait_for(lambda: "idle" in self.session.inhibitors(), "logind's idle inhibitor", 10)
        time.sleep(3)
        self.assertIsNone(wigglet.poll(), "wigglet ended")
        lines = [line for line in self.session.output_lines() if "compositor" in line]
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("keep the display awake", lines[0])


def main():
    global WIGGLET, PEER
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    WIGGLET = os.path.abspath(sys.argv[1])
    PEER = os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)


if __name__ == "__main__":
    main()
