#pragma once

#include "support/FakeScreenSaver.h"

namespace wigglet::testing {

// The power manager's inhibit service (xfce4-power-manager and others offer only this one),
// recording every call as the screen-saver fake does.
class FakePowerManagement : public FakeScreenSaver {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.PowerManagement.Inhibit")

  public:
    using FakeScreenSaver::FakeScreenSaver;
};

} // namespace wigglet::testing
