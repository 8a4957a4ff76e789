"""dbusmock template: a StatusNotifierWatcher with a host, so that Qt's tray item registers."""
import dbus

BUS_NAME = "org.kde.StatusNotifierWatcher"
MAIN_OBJ = "/StatusNotifierWatcher"
MAIN_IFACE = "org.kde.StatusNotifierWatcher"
SYSTEM_BUS = False


def load(mock, parameters):
    mock.AddMethods(MAIN_IFACE, [
        ("RegisterStatusNotifierItem", "s", "", ""),
        ("RegisterStatusNotifierHost", "s", "", ""),
    ])
    mock.AddProperties(MAIN_IFACE, {
        "IsStatusNotifierHostRegistered": True,
        "RegisteredStatusNotifierItems": dbus.Array([], signature="s"),
        "ProtocolVersion": dbus.Int32(0),
    })
