#pragma once

#include <QDBusMessage>
#include <QObject>
#include <functional>

namespace wigglet::desktop {

// Where the bus delivers one subscribed signal: QtDBus needs a slot, the caller a function.
class BusSignalListener : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<void(const QDBusMessage& signal)>;

    explicit BusSignalListener(Handler handler) : handler_(std::move(handler)) {}

  public slots:
    void receive(const QDBusMessage& signal);

  private:
    Handler handler_;
};

} // namespace wigglet::desktop
