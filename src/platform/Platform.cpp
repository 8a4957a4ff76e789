#include "platform/Platform.h"

#include "platform/SessionLock.h"
#include "platform/SystemEvents.h"

#include <cstdio>
#include <cstdlib>

namespace wigglet {

namespace {
Platform* installed = nullptr;

class NeverLocked final : public SessionLock {
  public:
    bool isLocked() override { return false; }
};
} // namespace

Platform::Platform(PlatformServices services) : services_(services) {}

Platform::~Platform() {
    dropSharedInstances();
}

Platform& Platform::current() {
    if (!installed) {
        std::fputs("wigglet: no platform installed\n", stderr);
        std::abort();
    }
    return *installed;
}

SessionLock& Platform::sessionLock() const {
    static NeverLocked never;
    return services_.sessionLock ? *services_.sessionLock : never;
}

SystemEvents& Platform::systemEvents() const {
    static SystemEvents silent;
    return services_.systemEvents ? *services_.systemEvents : silent;
}

bool Platform::isInstalled() {
    return installed != nullptr;
}

void Platform::dropSharedInstances() {
    // Destroyed one at a time, newest first, so that a destructor may still reach the older
    // instances it depends on.
    while (!instances_.empty()) {
        auto last = std::move(instances_.back());
        instances_.pop_back();
        last.second.reset();
    }
}

void recordTrace(std::string_view kind, const Trace::Fields& fields) {
    if (installed)
        installed->trace().write(kind, fields);
}

PlatformScope::PlatformScope(Platform& platform) : previous_(installed) {
    installed = &platform;
}

PlatformScope::~PlatformScope() {
    installed = previous_;
}

} // namespace wigglet
