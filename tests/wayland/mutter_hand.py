"""The user's hand on a headless mutter, which has no input device of its own: moves the
pointer by DX DY through GNOME's remote-desktop interface, on the session bus. With
--every SECONDS it keeps its session, as a real device stays plugged in, and moves by DX DY
and back every SECONDS until it is ended.

Usage: mutter_hand.py DX DY [--every SECONDS]"""
import sys
import time

import dbus

SERVICE = "org.gnome.Mutter.RemoteDesktop"


def main():
    dx, dy = (float(v) for v in sys.argv[1:3])
    every = float(sys.argv[4]) if sys.argv[3:4] == ["--every"] else None
    bus = dbus.SessionBus()
    desktop = bus.get_object(SERVICE, "/org/gnome/Mutter/RemoteDesktop")
    path = desktop.CreateSession(dbus_interface=SERVICE)
    session = dbus.Interface(bus.get_object(SERVICE, path), SERVICE + ".Session")
    session.Start()
    session.NotifyPointerMotionRelative(dx, dy)
    while every:
        time.sleep(every)
        dx, dy = -dx, -dy
        session.NotifyPointerMotionRelative(dx, dy)
    # Answered after the motion: mutter has taken it before the session ends.
    session.NotifyPointerMotionRelative(0.0, 0.0)
    session.Stop()


if __name__ == "__main__":
    main()
