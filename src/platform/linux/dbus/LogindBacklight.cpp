#include "platform/linux/dbus/LogindBacklight.h"

#include "platform/VirtualKeys.h"
#include "platform/linux/sysfs/SysfsDevice.h"

#include <QDBusMessage>
#include <algorithm>

namespace wigglet::desktop {

LogindBacklight::LogindBacklight(QDBusConnection bus, std::filesystem::path backlightRoot)
    : bus_(std::move(bus)), backlight_(std::move(backlightRoot)) {}

bool LogindBacklight::take(const SystemDefinedEvent& event) {
    const std::int64_t key = (event.data1 >> 16) & 0xFF;
    if (key != auxiliaryKey::brightnessUp && key != auxiliaryKey::brightnessDown)
        return false;
    const bool up = key == auxiliaryKey::brightnessUp;
    bool& taken = taken_[up ? 0 : 1];
    if ((event.data1 & 0xFF00) == 0x0A00)
        taken = step(up);
    return taken;
}

bool LogindBacklight::step(bool up) {
    if (!bus_.isConnected())
        return false;
    const auto device = backlight_.preferredDevice();
    if (!device)
        return false;
    const auto actual = device->number("actual_brightness");
    const auto maximum = device->number("max_brightness");
    if (!actual || !maximum || *maximum <= 0)
        return false;
    const long long stride = std::max(*maximum / steps, 1LL);
    const long long goal = std::clamp(*actual + (up ? stride : -stride), 0LL, *maximum);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(sessionPath),
        QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("SetBrightness"));
    call << QStringLiteral("backlight") << QString::fromStdString(device->name())
         << static_cast<uint>(goal);
    return bus_.call(call, QDBus::Block, callTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace wigglet::desktop
