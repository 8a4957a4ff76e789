#include "platform/linux/x11/XConnection.h"

#include "platform/linux/x11/XErrorTrap.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <X11/Xlib.h>

namespace wigglet::desktop {

std::unique_ptr<XConnection> XConnection::open(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display)
        return nullptr;
    XErrorTrap::installHandler();
    return std::unique_ptr<XConnection>(new XConnection(display));
}

XConnection::XConnection(Display* display) : display_(display) {
    watchFromEventLoop();
}

XConnection::~XConnection() {
    QObject::disconnect(aboutToBlock_);
    notifier_.reset();
    XCloseDisplay(display_);
}

unsigned long XConnection::rootWindow() const {
    return DefaultRootWindow(display_);
}

void XConnection::watchFromEventLoop() {
    if (!QCoreApplication::instance())
        return;
    notifier_ =
        std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { dispatchPending(); });
    // A round trip (XSync, XQueryPointer) may read events into Xlib's queue while answering
    // it; the socket then has nothing left to signal, so the queue is also drained whenever
    // the loop is about to wait.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        aboutToBlock_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                         [this] { dispatchPending(); });
}

int XConnection::addListener(Listener listener) {
    listeners_.emplace_back(nextToken_, std::move(listener));
    return nextToken_++;
}

void XConnection::removeListener(int token) {
    std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void XConnection::dispatchPending() {
    XEventsQueued(display_, QueuedAfterReading);
    while (XEventsQueued(display_, QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        dispatch(event);
    }
}

void XConnection::dispatch(XEvent& event) {
    if (event.type == MappingNotify)
        XRefreshKeyboardMapping(&event.xmapping);
    // A listener may add or remove listeners while it runs.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners)
        listener(event);
}

} // namespace wigglet::desktop
