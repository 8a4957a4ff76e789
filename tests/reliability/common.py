"""Shared pieces of the reliability tests: the control session, a wigglet whose stderr lands
in a file, and the trace it writes."""
import json
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "control"))
from session import Session  # noqa: E402,F401

RETURNING_USER = {"notFirstLaunch": True, "moveCursorEnabled": True}


def start_logged(session, *extra, env=None, settings=True):
    """Starts wigglet with stderr in session.dir/stderr.txt and its trace in trace.jsonl."""
    session.trace = os.path.join(session.dir, "trace.jsonl")
    session.stderr = os.path.join(session.dir, "stderr.txt")
    args = [session.wigglet, "--trace", session.trace, *extra]
    if settings:
        args[1:1] = ["--settings", session.settings]
    with open(session.stderr, "w") as err:
        proc = subprocess.Popen(args, env=env or session.env(), stdout=subprocess.DEVNULL,
                                stderr=err)
    session.processes.append(proc)
    session.wait_for(session.running, "Wigglet to own its bus name", seconds=40)
    return proc


def stderr_lines(session):
    with open(session.stderr) as f:
        return [line for line in f.read().splitlines() if line]


def trace(session):
    records = []
    with open(session.trace) as f:
        for line in f:
            if line.endswith("\n"):
                records.append(json.loads(line))
    return records


def last_time(session):
    records = trace(session)
    return records[-1]["t"] if records else 0.0


def steps_after(session, t):
    return [r for r in trace(session) if r["t"] > t and r["ev"] in ("user-activity", "warp")]


def wait_for_steps_after(session, t, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if steps_after(session, t):
            return True
        time.sleep(0.2)
    return False


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def write_atomically(path, text):
    temporary = path + ".edit"
    with open(temporary, "w") as f:
        f.write(text)
    os.replace(temporary, path)


class ScreenSaver:
    """The X server's own screen saver, seen from a client of its own: a short timeout, and
    whether it has come on."""

    def __init__(self, display, timeout):
        import ctypes
        import ctypes.util
        x11, xss = ctypes.util.find_library("X11"), ctypes.util.find_library("Xss")
        if not x11 or not xss:
            raise RuntimeError("libX11 and libXss are needed to watch the screen saver")
        self.x = ctypes.CDLL(x11)
        self.xss = ctypes.CDLL(xss)
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XSetScreenSaver.argtypes = [ctypes.c_void_p] + [ctypes.c_int] * 4
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class Info(ctypes.Structure):
            _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int),
                        ("kind", ctypes.c_int), ("til_or_since", ctypes.c_ulong),
                        ("idle", ctypes.c_ulong), ("eventMask", ctypes.c_ulong)]

        self.xss.XScreenSaverAllocInfo.restype = ctypes.POINTER(Info)
        self.xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                                   ctypes.POINTER(Info)]
        self.display = self.x.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError(f"cannot open {display}")
        self.info = self.xss.XScreenSaverAllocInfo()
        self.x.XSetScreenSaver(self.display, timeout, 0, 0, 0)
        self.x.XSync(self.display, 0)

    def on(self):
        root = self.x.XDefaultRootWindow(self.display)
        self.xss.XScreenSaverQueryInfo(self.display, root, self.info)
        return self.info.contents.state == 1

    def close(self):
        self.x.XCloseDisplay(self.display)
