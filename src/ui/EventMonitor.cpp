#include "ui/EventMonitor.h"

#include <QCoreApplication>

namespace wigglet {

EventMonitor::EventMonitor(QEvent::Type type, Handler handler, QObject* parent)
    : QObject(parent), type_(type), handler_(std::move(handler)) {
    if (auto* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

EventMonitor::~EventMonitor() {
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void EventMonitor::remove() {
    if (!active_)
        return;
    active_ = false;
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    deleteLater();
}

bool EventMonitor::eventFilter(QObject* watched, QEvent* event) {
    if (active_ && event->type() == type_ && watched->isWindowType())
        handler_(event);
    return false;
}

} // namespace wigglet
