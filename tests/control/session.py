"""A private desktop session for tests of the real wigglet: Xvfb, a session bus that can
activate Wigglet, and the settings file the program uses."""
import json
import os
import re
import signal
import shutil
import subprocess
import tempfile
import time


class Session:
    def __init__(self, wigglet, settings=None):
        self.wigglet = wigglet
        self.dir = tempfile.mkdtemp(prefix="wigglet-session-")
        self.settings = os.path.join(self.dir, "settings.json")
        with open(self.settings, "w") as f:
            json.dump(settings or {"notFirstLaunch": True, "moveCursorEnabled": False}, f)
        self.processes = []
        self._start_x()
        self._start_bus()

    def _start_x(self):
        if not shutil.which("Xvfb"):
            raise RuntimeError("Xvfb is not installed")
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24",
                                 "-nolisten", "tcp"], pass_fds=(w,),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        with os.fdopen(r) as f:
            number = f.readline().strip()
        self.processes.append(xvfb)
        self.display = ":" + number

    def _start_bus(self):
        services = os.path.join(self.dir, "services")
        os.mkdir(services)
        with open(os.path.join(services, "org.wigglet.Wigglet.service"), "w") as f:
            f.write("[D-BUS Service]\nName=org.wigglet.Wigglet\n"
                    f"Exec={self.wigglet} --settings {self.settings}\n")
        config = os.path.join(self.dir, "bus.conf")
        with open(config, "w") as f:
            f.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"'
                    ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                    f"<busconfig><type>session</type><listen>unix:dir={self.dir}</listen>"
                    f"<servicedir>{services}</servicedir>"
                    '<policy context="default"><allow send_destination="*" eavesdrop="true"/>'
                    '<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>\n')
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        bus = subprocess.Popen(["dbus-daemon", "--config-file", config, "--nofork",
                                "--print-address"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, env=env, text=True)
        self.processes.append(bus)
        self.bus_address = bus.stdout.readline().strip()
        # As a desktop session does: the bus learns the display its activated programs need.
        subprocess.run(["dbus-update-activation-environment", f"DISPLAY={self.display}"],
                       env=self.env(), check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def env(self):
        env = dict(os.environ)
        env.update({"DISPLAY": self.display, "DBUS_SESSION_BUS_ADDRESS": self.bus_address,
                    "XDG_RUNTIME_DIR": self.dir, "QT_QPA_PLATFORM": "xcb"})
        return env

    def run(self, *args, timeout=40):
        return subprocess.run([self.wigglet, *args], env=self.env(), capture_output=True,
                              text=True, timeout=timeout)

    def start(self, *extra):
        self.log = open(os.path.join(self.dir, "wigglet.log"), "w")
        proc = subprocess.Popen([self.wigglet, "--settings", self.settings, *extra],
                                env=self.env(), stdout=self.log, stderr=subprocess.STDOUT)
        self.processes.append(proc)
        try:
            self.wait_for(self.running, "Wigglet to own its bus name")
        except AssertionError:
            with open(self.log.name) as f:
                raise AssertionError(f"Wigglet did not come up: {f.read()}")
        return proc

    def running(self):
        out = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                              "--object-path", "/org/freedesktop/DBus", "--method",
                              "org.freedesktop.DBus.NameHasOwner", "org.wigglet.Wigglet"],
                             env=self.env(), capture_output=True, text=True)
        return "true" in out.stdout

    def status(self):
        out = self.run("status", "--json")
        return json.loads(out.stdout) if out.returncode in (0, 3) else None

    def stored(self):
        with open(self.settings) as f:
            return json.load(f)

    @staticmethod
    def wait_for(condition, what, seconds=20):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if condition():
                return
            time.sleep(0.1)
        raise AssertionError(f"timed out waiting for {what}")

    def close(self):
        # The activated program is the bus's child; end it through its name's owner.
        pid = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                              "--object-path", "/org/freedesktop/DBus", "--method",
                              "org.freedesktop.DBus.GetConnectionUnixProcessID",
                              "org.wigglet.Wigglet"], env=self.env(), capture_output=True,
                             text=True).stdout
        found = re.search(r"uint32 (\d+)", pid)
        if found:
            try:
                os.kill(int(found.group(1)), signal.SIGTERM)
            except ProcessLookupError:
                pass
        for proc in reversed(self.processes):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
        shutil.rmtree(self.dir, ignore_errors=True)
