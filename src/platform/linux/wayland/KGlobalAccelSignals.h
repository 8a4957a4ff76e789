#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace wigglet::desktop {

// Where the bus delivers kglobalaccel's signals for a component: QtDBus needs slots.
class KGlobalAccelSignals : public QObject {
    Q_OBJECT

  public:
    // Called with the action's unique name and whether it was pressed (else released).
    using Listener = std::function<void(const QString& action, bool pressed)>;

    explicit KGlobalAccelSignals(Listener listener) : listener_(std::move(listener)) {}

  public slots:
    void pressed(const QString& component, const QString& action, qlonglong timestamp);
    void released(const QString& component, const QString& action, qlonglong timestamp);

  private:
    Listener listener_;
};

} // namespace wigglet::desktop
