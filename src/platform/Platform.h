#pragma once

#include "platform/Random.h"
#include "platform/Trace.h"

#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace wigglet {

class RunLoop;
class Sleeper;
class EventSource;
class Screens;
class PowerManagement;
class PowerSources;
class DisplayBrightness;
class HotKeyService;
class LoginItems;
class UserNotificationService;
class Workspace;
class SystemInfo;
class SessionLock;
class SystemEvents;

// The platform services a host hands to the core.
struct PlatformServices {
    RunLoop* runLoop = nullptr;
    Sleeper* sleeper = nullptr;
    EventSource* events = nullptr;
    Screens* screens = nullptr;
    PowerManagement* power = nullptr;
    PowerSources* powerSources = nullptr;
    DisplayBrightness* brightness = nullptr;
    HotKeyService* hotKeys = nullptr;
    LoginItems* loginItems = nullptr;
    UserNotificationService* notifications = nullptr;
    Workspace* workspace = nullptr;
    SystemInfo* system = nullptr;
    // Absent where the host cannot tell: the session then counts as never locked.
    SessionLock* sessionLock = nullptr;
    // Optional: a host that tells nothing leaves it out.
    SystemEvents* systemEvents = nullptr;
};

// The context through which the core reaches the platform, and the home of the process-wide
// shared() instances. A host builds one and installs it with a PlatformScope; a test does the
// same per test, so no state outlives it.
class Platform {
  public:
    explicit Platform(PlatformServices services);
    ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    // The installed context. Using the core without one is a programming error and aborts.
    static Platform& current();
    static bool isInstalled();

    RunLoop& runLoop() const { return *services_.runLoop; }
    Sleeper& sleeper() const { return *services_.sleeper; }
    EventSource& events() const { return *services_.events; }
    Screens& screens() const { return *services_.screens; }
    PowerManagement& power() const { return *services_.power; }
    PowerSources& powerSources() const { return *services_.powerSources; }
    DisplayBrightness& brightness() const { return *services_.brightness; }
    HotKeyService& hotKeys() const { return *services_.hotKeys; }
    LoginItems& loginItems() const { return *services_.loginItems; }
    UserNotificationService& notifications() const { return *services_.notifications; }
    Workspace& workspace() const { return *services_.workspace; }
    SystemInfo& system() const { return *services_.system; }
    SessionLock& sessionLock() const;
    SystemEvents& systemEvents() const;
    Random& random() { return random_; }
    Trace& trace() { return trace_; }

    // The process-wide instance of T, created on first use.
    template <class T> T& shared() {
        if (T* existing = find<T>())
            return *existing;
        auto created = std::make_shared<T>();
        T& ref = *created;
        instances_.emplace_back(std::type_index(typeid(T)), std::move(created));
        return ref;
    }
    // Installs the process-wide instance of T that the host built itself.
    template <class T> void provide(std::shared_ptr<T> instance) {
        instances_.emplace_back(std::type_index(typeid(T)), std::move(instance));
    }
    template <class T> T* find() const {
        for (const auto& [type, instance] : instances_)
            if (type == std::type_index(typeid(T)))
                return static_cast<T*>(instance.get());
        return nullptr;
    }
    // The process ends: every shared instance goes, newest first.
    void dropSharedInstances();

  private:
    PlatformServices services_;
    Random random_;
    Trace trace_;
    std::vector<std::pair<std::type_index, std::shared_ptr<void>>> instances_;
};

// Writes a trace line through the installed platform, if any.
void recordTrace(std::string_view kind, const Trace::Fields& fields = Trace::Fields::object());

// Installs a Platform as the current one for the scope's lifetime.
class PlatformScope {
  public:
    explicit PlatformScope(Platform& platform);
    ~PlatformScope();
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

  private:
    Platform* previous_;
};

} // namespace wigglet
