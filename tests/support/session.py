"""A private desktop session for tests of the real wigglet: its own Xvfb server (or, in the
Wayland mode, a headless compositor with a fake logind on a system bus of its own), a session
bus that can activate Wigglet, its own home and runtime folders and a settings file. Closing
it ends every process it started, by process id."""
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

RETURNING_USER = {"notFirstLaunch": True, "moveCursorEnabled": True}
# dbusmock is the system's Python module, whatever python runs the tests.
DBUSMOCK = ["/usr/bin/python3", "-m", "dbusmock"]


def wait_for(condition, what, seconds=20, interval=0.05):
    """Returns once CONDITION holds; fails the test when it still does not after SECONDS,
    looking once more at the deadline so that a late truth is not missed."""
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {seconds} s waiting for {what}")
        time.sleep(interval)
    return True


def leaves_and_returns(where, home, seconds):
    """Watches WHERE() for SECONDS: the first place away from HOME and the return to it, each
    None when it did not happen."""
    deadline = time.monotonic() + seconds
    left = None
    while time.monotonic() < deadline:
        now = where()
        if left is None and now != home:
            left = now
        elif left is not None and now == home:
            return left, now
        time.sleep(0.02)
    return left, None


def stop(process, timeout=5):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return process.returncode


class Session:
    def __init__(self, wigglet, settings=None, compositor=None, peer=None):
        """COMPOSITOR ("sway", "kwin", "weston" or "mutter") asks for a Wayland session, which
        PEER (the wigglet_wayland_peer program) starts. mutter serves GNOME's interfaces on the
        session bus, so it joins the session's own."""
        self.wigglet = wigglet
        self.compositor = compositor
        self.peer = None
        self.dir = tempfile.mkdtemp(prefix="wigglet-session-")
        self.settings = self.path("settings.json")
        self.write_settings(settings or {"notFirstLaunch": True, "moveCursorEnabled": False})
        self.processes = []
        self.base = {k: v for k, v in os.environ.items()
                     if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SESSION_MANAGER")}
        # The checks read Wigglet's English texts, whatever the machine's language.
        self.base["LANGUAGE"] = "en"
        for name, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                          ("XDG_CACHE_HOME", "cache")):
            os.makedirs(self.path(sub), mode=0o700)
            self.base[name] = self.path(sub)
        try:
            if compositor == "mutter":
                self._start_bus()
                self._start_wayland(peer)
                self.start_logind()
            elif compositor:
                self._start_wayland(peer)
                self.start_logind()
            else:
                self._start_x()
            if compositor != "mutter":
                self._start_bus()
            self._announce_display()
        except Exception:
            self.close()
            raise

    def _start_x(self):
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24",
                                 "-nolisten", "tcp", "-noreset"], pass_fds=(w,),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        self.processes.append(xvfb)
        with os.fdopen(r) as f:
            self.display = ":" + f.readline().strip()

    def _start_wayland(self, peer):
        # KWin lends its fake input to the program its desktop entry names, as installed.
        bus = [self.bus_address] if self.compositor == "mutter" else []
        self.peer = subprocess.Popen([peer, self.compositor, os.path.realpath(self.wigglet), *bus],
                                     stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True)
        self.wayland_display = self.peer.stdout.readline().strip()
        if not self.wayland_display:
            raise AssertionError(f"{self.compositor} did not start")

    def ask_peer(self, command):
        """Sends the peer one command ("pointer", "hand") and returns its answer."""
        self.peer.stdin.write(command + "\n")
        self.peer.stdin.flush()
        return self.peer.stdout.readline().strip()

    def start_logind(self):
        self.system_bus_address = self._bus_daemon("system")
        env = dict(self.base, DBUS_SYSTEM_BUS_ADDRESS=self.system_bus_address)
        self.processes.append(subprocess.Popen(DBUSMOCK + ["--system", "--template", "logind"],
                                               env=env, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL))
        wait_for(lambda: self.inhibitors() is not None, "the fake logind", 20, 0.1)

    def inhibitors(self):
        """logind's inhibitors as gdbus prints them, or None while logind is not there."""
        out = subprocess.run(["gdbus", "call", "--system", "--dest", "org.freedesktop.login1",
                              "--object-path", "/org/freedesktop/login1", "--method",
                              "org.freedesktop.login1.Manager.ListInhibitors"],
                             env=self.env(), capture_output=True, text=True)
        return out.stdout if out.returncode == 0 else None

    def _bus_daemon(self, name, services=None):
        folder = self.path(name + "-bus")
        os.mkdir(folder)
        config = self.path(name + "-bus.conf")
        with open(config, "w") as f:
            f.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"'
                    ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                    f"<busconfig><type>session</type><listen>unix:dir={folder}</listen>"
                    + (f"<servicedir>{services}</servicedir>" if services else "") +
                    '<policy context="default"><allow send_destination="*" eavesdrop="true"/>'
                    '<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>\n')
        bus = subprocess.Popen(["dbus-daemon", "--config-file", config, "--nofork",
                                "--print-address"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, env=self.base, text=True)
        self.processes.append(bus)
        return bus.stdout.readline().strip()

    def _start_bus(self):
        services = self.path("services")
        os.mkdir(services)
        with open(os.path.join(services, "org.wigglet.Wigglet.service"), "w") as f:
            f.write("[D-BUS Service]\nName=org.wigglet.Wigglet\n"
                    f"Exec={self.wigglet} --service --settings {self.settings}\n")
        self.bus_address = self._bus_daemon("session", services)

    def _announce_display(self):
        # As a desktop session does: the bus learns the display its activated programs need.
        display = (f"WAYLAND_DISPLAY={self.wayland_display}" if self.compositor
                   else f"DISPLAY={self.display}")
        subprocess.run(["dbus-update-activation-environment", display],
                       env=self.env(), check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def path(self, name):
        return os.path.join(self.dir, name)

    def env(self):
        if self.compositor:
            # Qt picks its platform plugin from the session, as in a real one.
            env = {k: v for k, v in self.base.items() if k != "QT_QPA_PLATFORM"}
            if self.compositor == "mutter":
                env["XDG_CURRENT_DESKTOP"] = "GNOME"
            return dict(env, WAYLAND_DISPLAY=self.wayland_display, XDG_SESSION_TYPE="wayland",
                        DBUS_SESSION_BUS_ADDRESS=getattr(self, "bus_address", ""),
                        DBUS_SYSTEM_BUS_ADDRESS=getattr(self, "system_bus_address", ""),
                        XDG_RUNTIME_DIR=self.dir)
        env = dict(self.base, DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.bus_address,
                   XDG_RUNTIME_DIR=self.dir, QT_QPA_PLATFORM="xcb")
        if hasattr(self, "system_bus_address"):  # after start_logind()
            env["DBUS_SYSTEM_BUS_ADDRESS"] = self.system_bus_address
        return env

    def run(self, *args, timeout=40):
        return subprocess.run([self.wigglet, *args], env=self.env(), capture_output=True,
                              text=True, timeout=timeout)

    def x(self, *args):
        return subprocess.run(list(args), env=self.env(), capture_output=True, text=True,
                              timeout=10, check=True).stdout

    def start(self, *extra, name="wigglet", env=None, settings=True):
        """Starts wigglet with its output in NAME.err and its trace in NAME.trace, and waits
        until it owns its bus name."""
        args = [self.wigglet, "--trace", self.path(name + ".trace"), *extra]
        if settings:
            args[1:1] = ["--settings", self.settings]
        proc = self.spawn(args, name, env)
        wait_for(lambda: self.running() or proc.poll() is not None, "wigglet to own its name", 40)
        if not self.running():
            raise AssertionError("wigglet did not come up: " + self.output(name))
        return proc

    def spawn(self, args, name, env=None):
        with open(self.path(name + ".err"), "w") as err:
            proc = subprocess.Popen(args, env=env or self.env(), stdout=err,
                                    stderr=subprocess.STDOUT)
        self.processes.append(proc)
        return proc

    def ask_bus(self, method, name="org.wigglet.Wigglet"):
        """The bus's own answer to METHOD about NAME, as gdbus prints it."""
        return subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                               "--object-path", "/org/freedesktop/DBus", "--method",
                               "org.freedesktop.DBus." + method, name],
                              env=self.env(), capture_output=True, text=True).stdout

    def running(self, name="org.wigglet.Wigglet"):
        return "true" in self.ask_bus("NameHasOwner", name)

    def status(self):
        out = self.run("status", "--json")
        return json.loads(out.stdout) if out.returncode in (0, 3) else None

    def write_settings(self, values):
        with open(self.settings, "w") as f:
            json.dump(values, f)

    def stored(self):
        with open(self.settings) as f:
            return json.load(f)

    def output(self, name="wigglet"):
        with open(self.path(name + ".err")) as f:
            return f.read()

    def output_lines(self, name="wigglet"):
        return [line for line in self.output(name).splitlines() if line]

    def trace(self, name="wigglet"):
        """The complete records of the trace so far."""
        try:
            with open(self.path(name + ".trace")) as f:
                return [json.loads(line) for line in f if line.endswith("\n")]
        except FileNotFoundError:
            return []

    def last_time(self):
        records = self.trace()
        return records[-1]["t"] if records else 0.0

    def steps_after(self, t):
        return [r for r in self.trace() if r["t"] > t and r["ev"] in ("user-activity", "warp")]

    def wait_for_steps_after(self, t, seconds=15):
        return wait_for(lambda: self.steps_after(t), f"a step after {t} s", seconds, 0.2)

    def close_program(self):
        """Ends the program that owns Wigglet's name and waits until the name is free."""
        found = re.search(r"uint32 (\d+)", self.ask_bus("GetConnectionUnixProcessID"))
        if found:
            os.kill(int(found.group(1)), signal.SIGTERM)
        wait_for(lambda: not self.running(), "Wigglet to end")

    def close(self):
        # The activated program is the bus's child; end it through its name's owner.
        if getattr(self, "bus_address", None):
            found = re.search(r"uint32 (\d+)", self.ask_bus("GetConnectionUnixProcessID"))
            if found:
                try:
                    os.kill(int(found.group(1)), signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for proc in reversed(self.processes):
            stop(proc)
            if proc.stdout:
                proc.stdout.close()
        if self.peer:
            # The peer takes its compositor down once its input ends.
            self.peer.stdin.close()
            try:
                self.peer.wait(10)
            except subprocess.TimeoutExpired:
                stop(self.peer)
            self.peer.stdout.close()
        shutil.rmtree(self.dir, ignore_errors=True)
