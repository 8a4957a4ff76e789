#!/usr/bin/env python3
"""What the real wigglet trusts and creates: private settings files, foreign symbolic links
refused, no network sockets, nothing it reads is ever run.

Usage: test_security.py WIGGLET WIGGLET_SIM
"""
import json
import os
import pwd
import stat
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from session import RETURNING_USER, Session, wait_for  # noqa: E402

WIGGLET = None
WIGGLET_SIM = None
MARK = f"/tmp/wigglet-pwned-{os.getpid()}"
HOSTILE = [f"$(touch {MARK}-1)", f"`touch {MARK}-2`", f"x; touch {MARK}-3", f"x | touch {MARK}-4",
           f"x && touch {MARK}-5 #'\""]
STRING_KEYS = ["shakeClickCustomPosition", "shakeClickPosition", "scrollTabType", "userNote"]


def marks():
    folder = os.path.dirname(MARK)
    return [n for n in os.listdir(folder) if n.startswith(os.path.basename(MARK))]


class SecurityTest(unittest.TestCase):
    def setUp(self):
        self.session = Session(WIGGLET, RETURNING_USER)
        self.addCleanup(self.session.close)

    def test_fresh_settings_are_private(self):
        s = self.session
        config = os.path.join(s.dir, "xdg")
        env = dict(s.env(), XDG_CONFIG_HOME=config)
        s.start(env=env, settings=False)
        self.assertEqual(s.run("toggle").returncode, 0)
        folder = os.path.join(config, "wigglet")
        file = os.path.join(folder, "settings.json")
        wait_for(lambda: os.path.exists(file), "the settings file")
        for made in (config, folder):
            self.assertEqual(stat.S_IMODE(os.stat(made).st_mode), 0o700, made)
        self.assertEqual(stat.S_IMODE(os.stat(file).st_mode), 0o600)
        with open(file) as f:
            self.assertTrue(json.load(f)["shakeEnabled"])

    def test_symlink_owned_by_another_user_is_refused(self):
        s = self.session
        target = s.settings
        with open(target) as f:
            before = f.read()
        link = os.path.join(s.dir, "link.json")
        os.symlink(target, link)
        nobody = pwd.getpwnam("nobody")
        os.lchown(link, nobody.pw_uid, nobody.pw_gid)
        s.settings = link
        s.start()
        self.assertEqual(s.run("toggle").returncode, 0)
        self.assertTrue(s.status()["shaking"])
        errors = [r["text"] for r in s.trace() if r["ev"] == "log" and r["level"] == "error"]
        self.assertTrue(any("symbolic link owned by another user" in e and "memory only" in e
                            for e in errors), errors)
        with open(target) as f:
            self.assertEqual(f.read(), before)
        self.assertTrue(os.path.islink(link), "the link was replaced")

    def test_only_unix_sockets(self):
        s = self.session
        proc = s.start()
        self.assertEqual(s.run("toggle").returncode, 0)
        s.wait_for_steps_after(0.0)
        fds = f"/proc/{proc.pid}/fd"
        inodes = set()
        for fd in os.listdir(fds):
            try:
                target = os.readlink(os.path.join(fds, fd))
            except OSError:
                continue
            if target.startswith("socket:["):
                inodes.add(target[8:-1])
        self.assertTrue(inodes, "wigglet holds no socket at all: the listing is broken")
        local = set()
        for table, column in (("unix", 6), ("netlink", 9)):
            with open(f"/proc/{proc.pid}/net/{table}") as f:
                local |= {row.split()[column] for row in f.read().splitlines()[1:]}
        self.assertEqual(inodes - local, set(), "a socket that is neither a local nor a netlink one")

    def test_settings_strings_are_never_run(self):
        s = self.session
        settings = dict(RETURNING_USER)
        for i, key in enumerate(STRING_KEYS):
            settings[key] = HOSTILE[i % len(HOSTILE)]
        settings["shakeHotkey"] = {"data": HOSTILE[0]}
        s.write_settings(settings)
        s.start()
        for _ in range(2):
            self.assertEqual(s.run("toggle").returncode, 0)
        time.sleep(2)
        self.assertEqual(marks(), [])


class ScenarioSecurityTest(unittest.TestCase):
    def test_scenario_strings_are_never_run(self):
        lines = []
        for i, key in enumerate(STRING_KEYS):
            lines.append(f'set {key} string "{self.quote(HOSTILE[i % len(HOSTILE)])}"')
        lines += ["set notFirstLaunch bool true", "launch"]
        for text in HOSTILE:
            q = self.quote(text)
            lines += [f'action helpWindowWithTitle "{q}"', f'fail login-item "{q}"',
                      f'key 0 1 "{q}"',
                      f'set shakeHotkey data "{q}"']
        lines += ["action switchIndefinitelyShake", "advance 5", "quit"]
        with tempfile.TemporaryDirectory() as tmp:
            scenario = os.path.join(tmp, "hostile.scn")
            with open(scenario, "w") as f:
                f.write("\n".join(lines) + "\n")
            out = subprocess.run([WIGGLET_SIM, scenario], capture_output=True, text=True,
                                 cwd=tmp, timeout=60,
                                 env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(marks(), [])

    @staticmethod
    def quote(text):
        return text.replace("\\", "\\\\").replace('"', '\\"')


if __name__ == "__main__":
    WIGGLET = os.path.abspath(sys.argv.pop(1))
    WIGGLET_SIM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
