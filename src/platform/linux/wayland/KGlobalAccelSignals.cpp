#include "platform/linux/wayland/KGlobalAccelSignals.h"

namespace wigglet::desktop {

void KGlobalAccelSignals::pressed(const QString&, const QString& action, qlonglong) {
    listener_(action, true);
}

void KGlobalAccelSignals::released(const QString&, const QString& action, qlonglong) {
    listener_(action, false);
}

} // namespace wigglet::desktop
