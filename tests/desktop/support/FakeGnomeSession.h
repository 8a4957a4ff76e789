#pragma once

#include "support/FakeScreenSaver.h"

namespace wigglet::testing {

// GNOME's session manager, whose Inhibit takes a window and what to inhibit as flags,
// recording every call as the screen-saver fake does.
class FakeGnomeSession : public FakeScreenSaver {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")

  public:
    using FakeScreenSaver::FakeScreenSaver;

  public slots:
    uint Inhibit(const QString& application, uint window, const QString& reason, uint flags) {
        const uint cookie = FakeScreenSaver::Inhibit(application, reason);
        record({QStringLiteral("flags"), QString::number(window), QString::number(flags)});
        return cookie;
    }
    void Uninhibit(uint cookie) { record({QStringLiteral("Uninhibit"), QString::number(cookie)}); }
};

} // namespace wigglet::testing
