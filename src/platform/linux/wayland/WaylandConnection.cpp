#include "platform/linux/wayland/WaylandConnection.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <wayland-client.h>

namespace wigglet::desktop {

std::unique_ptr<WaylandConnection> WaylandConnection::open(const std::string& displayName) {
    wl_display* display = wl_display_connect(displayName.empty() ? nullptr : displayName.c_str());
    if (!display)
        return nullptr;
    return std::unique_ptr<WaylandConnection>(new WaylandConnection(display));
}

WaylandConnection::WaylandConnection(wl_display* display) : display_(display) {
    static const wl_registry_listener listener = {
        .global = &WaylandConnection::onGlobal,
        .global_remove = &WaylandConnection::onGlobalRemove,
    };
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
    wl_display_roundtrip(display_);
    watchFromEventLoop();
}

WaylandConnection::~WaylandConnection() {
    QObject::disconnect(aboutToBlock_);
    notifier_.reset();
    wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

double WaylandConnection::now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::uint32_t WaylandConnection::timestamp() {
    return static_cast<std::uint32_t>(now() * 1000.0);
}

void WaylandConnection::onGlobal(void* data, wl_registry*, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
    static_cast<WaylandConnection*>(data)->globals_.push_back({name, interface, version});
}

void WaylandConnection::onGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    std::erase_if(static_cast<WaylandConnection*>(data)->globals_,
                  [name](const Global& global) { return global.name == name; });
}

bool WaylandConnection::has(const std::string& interface) const {
    return std::any_of(globals_.begin(), globals_.end(),
                       [&](const Global& global) { return global.interface == interface; });
}

void* WaylandConnection::bind(const wl_interface& interface, std::uint32_t highestKnown) const {
    for (const Global& global : globals_)
        if (global.interface == interface.name)
            return wl_registry_bind(registry_, global.name, &interface,
                                    std::min(global.version, highestKnown));
    return nullptr;
}

std::vector<void*> WaylandConnection::bindAll(const wl_interface& interface,
                                              std::uint32_t highestKnown) const {
    std::vector<void*> bound;
    for (const Global& global : globals_)
        if (global.interface == interface.name)
            bound.push_back(wl_registry_bind(registry_, global.name, &interface,
                                             std::min(global.version, highestKnown)));
    return bound;
}

void WaylandConnection::watchFromEventLoop() {
    if (notifier_ || !QCoreApplication::instance())
        return;
    notifier_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readAndDispatch(); });
    // A round trip may queue events without the socket signalling them again, and requests
    // wait in the client's buffer until flushed: both are seen to before the loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        aboutToBlock_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                         [this] { dispatchPending(); });
}

void WaylandConnection::readAndDispatch() {
    while (wl_display_prepare_read(display_) != 0)
        wl_display_dispatch_pending(display_);
    wl_display_flush(display_);
    // The socket is readable here, and libwayland reads without blocking.
    wl_display_read_events(display_);
    wl_display_dispatch_pending(display_);
    checkBroken();
}

void WaylandConnection::dispatchPending() {
    wl_display_dispatch_pending(display_);
    flush();
}

void WaylandConnection::flush() {
    wl_display_flush(display_);
    checkBroken();
}

void WaylandConnection::roundtrip() {
    wl_display_roundtrip(display_);
    checkBroken();
}

bool WaylandConnection::dispatchUntil(const std::function<bool()>& done, int timeoutMs) {
    const double deadline = now() + timeoutMs / 1000.0;
    wl_display_dispatch_pending(display_);
    while (!done() && !broken()) {
        const int left = static_cast<int>((deadline - now()) * 1000.0);
        if (left <= 0)
            break;
        while (wl_display_prepare_read(display_) != 0)
            wl_display_dispatch_pending(display_);
        wl_display_flush(display_);
        pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
        if (::poll(&fd, 1, left) > 0)
            wl_display_read_events(display_);
        else
            wl_display_cancel_read(display_);
        wl_display_dispatch_pending(display_);
    }
    checkBroken();
    return done();
}

bool WaylandConnection::broken() const {
    return wl_display_get_error(display_) != 0;
}

void WaylandConnection::checkBroken() {
    if (reportedBroken_ || !broken())
        return;
    reportedBroken_ = true;
    if (notifier_)
        notifier_->setEnabled(false);
    if (onBroken_)
        onBroken_();
}

void WaylandConnection::noteSyntheticInput() {
    flush();
    lastSyntheticInput_ = now();
}

} // namespace wigglet::desktop
