"""A private X11 desktop for end-to-end runs of the real `wigglet`.

Each session has its own Xvfb server, its own session bus and its own home, config and
runtime folders; closing it ends every process it started, by process id.
"""

import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN = (1024, 768)


def missing_tools(*names):
    return [name for name in names if shutil.which(name) is None]


class DesktopSession:
    def __init__(self, wigglet):
        self.wigglet = wigglet
        self.processes = []
        self.folder = tempfile.mkdtemp(prefix="wigglet-e2e-")
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(name, None)
        for name, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                          ("XDG_RUNTIME_DIR", "runtime"), ("XDG_CACHE_HOME", "cache")):
            path = os.path.join(self.folder, sub)
            os.makedirs(path, mode=0o700)
            self.env[name] = path
        try:
            self._start_x_server()
            self._start_bus()
        except Exception:
            self.close()
            raise

    def _start_x_server(self):
        reader, writer = os.pipe()
        width, height = SCREEN
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        self.processes.append(xvfb)
        os.close(writer)
        with os.fdopen(reader) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not report a display number")
        self.env["DISPLAY"] = ":" + number

    def _start_bus(self):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                               env=self.env, start_new_session=True)
        self.processes.append(bus)
        address = bus.stdout.readline().strip()
        if not address:
            raise RuntimeError("dbus-daemon did not report an address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def path(self, name):
        return os.path.join(self.folder, name)

    def write_settings(self, values):
        path = self.path("settings.json")
        with open(path, "w") as f:
            json.dump(values, f)
        return path

    def read_settings(self):
        with open(self.path("settings.json")) as f:
            return json.load(f)

    def start(self, args, name):
        """Starts a program of the session; its output goes to NAME.out and NAME.err."""
        out = open(self.path(name + ".out"), "w")
        err = open(self.path(name + ".err"), "w")
        process = subprocess.Popen(args, stdout=out, stderr=err, env=self.env,
                                   start_new_session=True)
        out.close()
        err.close()
        self.processes.append(process)
        return process

    def start_wigglet(self, settings, name="wigglet", *extra):
        return self.start([self.wigglet, "--settings", settings,
                           "--trace", self.path(name + ".trace"), *extra], name)

    def run_wigglet(self, settings, timeout):
        return subprocess.run([self.wigglet, "--settings", settings], env=self.env,
                              capture_output=True, text=True, timeout=timeout)

    def output(self, name, stream="err"):
        with open(self.path(f"{name}.{stream}")) as f:
            return f.read()

    def trace(self, name="wigglet"):
        try:
            with open(self.path(name + ".trace")) as f:
                return [json.loads(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def wait_for_trace(self, predicate, timeout, name="wigglet"):
        return self.wait_for(lambda: any(predicate(line) for line in self.trace(name)),
                             timeout)

    @staticmethod
    def wait_for(condition, timeout, interval=0.05):
        deadline = time.monotonic() + timeout
        while True:
            if condition():
                return True
            if time.monotonic() >= deadline:
                return False
            time.sleep(interval)

    def x(self, *args):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True,
                              timeout=10).stdout

    def pointer(self):
        out = self.x("xdotool", "getmouselocation", "--shell")
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def windows(self):
        """Every window of the tree as (id, name, x, y, width, height, depth) in root
        coordinates, the depth being 1 for the root's children."""
        found = []
        for line in self.x("xwininfo", "-root", "-tree").splitlines():
            match = re.match(
                r'^(\s*)(0x[0-9a-f]+) (?:"([^"]*)"|\(has no name\)).*?'
                r'(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+?(-?\d+)\+?(-?\d+)\s*$', line)
            if match:
                indent, wid, name, w, h, x, y = match.groups()
                found.append((wid, name or "", int(x), int(y), int(w), int(h),
                              (len(indent) - 5) // 3 + 1))
        return found

    def screenshot(self, path, crop=None):
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True,
                             timeout=10, check=True).stdout
        args = ["convert", "xwd:-"]
        if crop:
            args += ["-crop", "%dx%d+%d+%d" % crop, "+repage"]
        subprocess.run(args + [path], input=xwd, check=True, timeout=20)

    @staticmethod
    def colours(png):
        """The distinct colours of an image, as #rrggbb strings."""
        out = subprocess.run(["convert", png, "-depth", "8", "txt:-"], capture_output=True,
                             text=True, check=True, timeout=20).stdout
        return set(re.findall(r"#([0-9A-Fa-f]{6})", out))

    @staticmethod
    def stop(process, timeout=10):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        return process.returncode

    def close(self):
        # Programs first, the bus and the X server last.
        for process in reversed(self.processes):
            self.stop(process, timeout=5)
            if process.stdout:
                process.stdout.close()
        self.processes = []
        shutil.rmtree(self.folder, ignore_errors=True)
