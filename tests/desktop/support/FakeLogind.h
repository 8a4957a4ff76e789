#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QStringList>
#include <mutex>
#include <vector>

namespace wigglet::testing {

// logind's manager as far as inhibitors go: each Inhibit hands out the write end of a pipe
// and keeps the read end, so the test sees whether the caller still holds it.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

  public:
    ~FakeLogind() override;

    // Each Inhibit call's arguments: what, who, why, mode.
    std::vector<QStringList> inhibits() const;
    // How many of the handed-out descriptors are still open in some other process or object.
    int held() const;

  public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode);

  private:
    mutable std::mutex mutex_;
    std::vector<QStringList> inhibits_;
    std::vector<int> readEnds_;
};

} // namespace wigglet::testing
