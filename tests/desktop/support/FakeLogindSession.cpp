#include "support/FakeLogindSession.h"

#include <QDBusError>

namespace wigglet::testing {

std::vector<FakeLogindSession::Call> FakeLogindSession::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void FakeLogindSession::SetBrightness(const QString& subsystem, const QString& name,
                                      uint brightness) {
    std::lock_guard lock(mutex_);
    calls_.push_back({subsystem, name, brightness});
    if (refuses_)
        sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not the active session"));
}

} // namespace wigglet::testing
