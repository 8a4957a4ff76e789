#include "support/FakeScreenSaver.h"

namespace wigglet::testing {

std::vector<QStringList> FakeScreenSaver::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

uint FakeScreenSaver::Inhibit(const QString& application, const QString& reason) {
    record({QStringLiteral("Inhibit"), application, reason});
    std::lock_guard lock(mutex_);
    return nextCookie_++;
}

void FakeScreenSaver::UnInhibit(uint cookie) {
    record({QStringLiteral("UnInhibit"), QString::number(cookie)});
}

void FakeScreenSaver::SimulateUserActivity() {
    record({QStringLiteral("SimulateUserActivity")});
}

void FakeScreenSaver::record(QStringList call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

} // namespace wigglet::testing
