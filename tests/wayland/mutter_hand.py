"""The user's hand on a headless mutter, which has no input device of its own: moves the
pointer by DX DY through GNOME's remote-desktop interface, on the session bus.

Usage: mutter_hand.py DX DY"""
import sys

import dbus

SERVICE = "org.gnome.Mutter.RemoteDesktop"


def main():
    dx, dy = (float(v) for v in sys.argv[1:3])
    bus = dbus.SessionBus()
    desktop = bus.get_object(SERVICE, "/org/gnome/Mutter/RemoteDesktop")
    path = desktop.CreateSession(dbus_interface=SERVICE)
    session = dbus.Interface(bus.get_object(SERVICE, path), SERVICE + ".Session")
    session.Start()
    session.NotifyPointerMotionRelative(dx, dy)
    # A call answered after the motion: mutter has taken it before the session ends.
    session.NotifyPointerMotionRelative(0.0, 0.0)
    bus.get_object(SERVICE, "/org/gnome/Mutter/RemoteDesktop").Introspect(
        dbus_interface="org.freedesktop.DBus.Introspectable")
    session.Stop()


if __name__ == "__main__":
    main()
