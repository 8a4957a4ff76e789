#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

namespace wigglet {

// A local event monitor: sees every event of one type that the desktop delivers to the
// application's windows, before they handle it, and lets it continue unchanged. Events are
// taken where they enter a window, so each is seen once however far it propagates.
class EventMonitor final : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<void(QEvent* event)>;

    EventMonitor(QEvent::Type type, Handler handler, QObject* parent = nullptr);
    ~EventMonitor() override;

    // Stops monitoring at once; the object goes when control returns to the event loop, so a
    // handler may remove its own monitor.
    void remove();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QEvent::Type type_;
    Handler handler_;
    bool active_ = true;
};

} // namespace wigglet
