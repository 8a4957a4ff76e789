"""End-to-end checks of the real `wigglet` in a Wayland session: a headless compositor, its own
session bus, and a fake logind on a system bus of its own.

Usage: test_wayland_e2e.py WIGGLET PEER [unittest arguments]
"""

import os
import signal
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
from session import DBUSMOCK, Session, leaves_and_returns, wait_for  # noqa: E402

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

    def check_toggle(self):
        self.launch(SHAKING_ON)
        wait_for(self.shaking, "shaking to start", 10, 0.2)
        self.assertEqual(self.session.run("toggle").returncode, 0)
        wait_for(lambda: not self.shaking(), "toggle to stop shaking", 10, 0.2)
        self.assertEqual(self.session.run("toggle").returncode, 0)
        wait_for(self.shaking, "toggle to start shaking again", 10, 0.2)


class SwayTest(WaylandTest):
    def test_the_pointer_leaves_its_place_and_comes_back(self):
        self.session.ask_peer("hand")
        home = self.session.ask_peer("pointer")
        self.assertNotEqual(home, "none", "the window never saw the user's pointer")
        self.launch(SHAKING_ON)
        left, returned = leaves_and_returns(lambda: self.session.ask_peer("pointer"), home, 15)
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


class MutterTest(WaylandTest):
    compositor = "mutter"
    threshold = 3

    def setUp(self):
        super().setUp()
        wait_for(lambda: self.session.running("org.gnome.Mutter.IdleMonitor"),
                 "mutter's idle monitor", 20, 0.1)

    def mutter_idle(self):
        """Mutter's own idle time, in seconds."""
        out = subprocess.run(["gdbus", "call", "--session", "--dest",
                              "org.gnome.Mutter.IdleMonitor", "--object-path",
                              "/org/gnome/Mutter/IdleMonitor/Core", "--method",
                              "org.gnome.Mutter.IdleMonitor.GetIdletime"],
                             env=self.session.env(), capture_output=True, text=True, check=True)
        return int(out.stdout.strip("(),\n").split()[-1]) / 1000

    def test_mutters_idle_time_stays_below_the_threshold_while_it_shakes_and_passes_it_without(self):
        limit = self.threshold + 2
        self.session.write_settings(dict(SHAKING_ON, timeElapsedThreshold=self.threshold))
        wigglet = self.session.start("--verbose")
        wait_for(lambda: self.session.steps_after(0), "a first step", 20, 0.2)
        highest = 0
        deadline = time.monotonic() + 12
        while time.monotonic() < deadline:
            highest = max(highest, self.mutter_idle())
            time.sleep(0.2)
        self.assertLess(highest, limit, "mutter counted the machine idle while Wigglet shook")
        self.assertIn("GNOME session: idle time from Mutter's idle monitor; input through "
                      "GNOME's remote-desktop interface", self.session.output())
        wigglet.send_signal(signal.SIGTERM)
        self.assertEqual(wigglet.wait(10), 0)
        wait_for(lambda: self.mutter_idle() > limit, "mutter's idle time to pass the threshold",
                 limit + 10, 0.2)

    def test_toggle_stops_and_starts_shaking(self):
        self.check_toggle()

    def test_between_steps_the_pointer_rests_where_it_started(self):
        """Nobody can tell the pointer's place on GNOME before Wigglet moves it; the places
        where it rests between steps, as the window sees them, must stay within a pixel.
        mutter puts the pointer in a corner, so the hand takes it away from the edges first."""
        subprocess.run(DBUSMOCK[:1] + [os.path.join(HERE, "mutter_hand.py"), "900", "500"],
                       env=self.session.env(), check=True, timeout=20)
        self.launch(SHAKING_ON)
        rests = []
        last, since = None, time.monotonic()
        deadline = time.monotonic() + 40
        while time.monotonic() < deadline and len(rests) < 3:
            where = self.session.ask_peer("pointer")
            now = time.monotonic()
            if where != last:
                last, since = where, now
            elif where != "none" and now - since > 0.5 and (not rests or rests[-1][1] < since):
                rests.append((where, now))
            time.sleep(0.05)
        self.assertGreaterEqual(len(rests), 3, f"the pointer rested only at {rests}")
        places = [tuple(float(v) for v in where.split()) for where, _ in rests]
        for x, y in places[1:]:
            self.assertLessEqual(max(abs(x - places[0][0]), abs(y - places[0][1])), 1.0,
                                 f"the pointer drifted: {places}")


def main():
    global WIGGLET, PEER
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    WIGGLET = os.path.abspath(sys.argv[1])
    PEER = os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)


if __name__ == "__main__":
    main()
