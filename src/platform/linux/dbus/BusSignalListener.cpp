#include "platform/linux/dbus/BusSignalListener.h"

namespace wigglet::desktop {

void BusSignalListener::receive(const QDBusMessage& signal) {
    if (handler_)
        handler_(signal);
}

} // namespace wigglet::desktop
