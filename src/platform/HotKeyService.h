#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace wigglet {

inline constexpr std::int32_t noErr = 0;
inline constexpr std::int32_t eventNotHandledErr = -9874;
inline constexpr int kEventHotKeyPressed = 5;
inline constexpr int kEventHotKeyReleased = 6;

struct HotKeyID {
    std::uint32_t signature = 0;
    std::uint32_t id = 0;
};

struct HotKeyEvent {
    int kind = kEventHotKeyPressed; // kEventHotKeyPressed or kEventHotKeyReleased
    HotKeyID hotKeyID;
    bool hasHotKeyID = true; // false when the event carries no identifier pair
};

// How to bind a shortcut by hand on a desktop that lets no program register one: the line to
// add to its configuration file, or, where the line is empty, the desktop's own settings.
struct BindingAdvice {
    std::string desktop; // as its users write it: "sway"
    std::string configurationFile;
    std::string line;
};

// System-wide key combinations. Events for registered combinations come back through the one
// handler, which returns a status code (noErr when handled).
class HotKeyService {
  public:
    using Handler = std::function<std::int32_t(const HotKeyEvent*)>;

    virtual ~HotKeyService() = default;

    // noErr when the combination is now grabbed under the identifier pair.
    std::int32_t registerHotKey(std::uint32_t keyCode, std::uint32_t carbonModifiers, HotKeyID id);
    void unregisterHotKey(HotKeyID id);
    void installHandler(Handler handler) { handler_ = std::move(handler); }
    bool hasHandler() const { return static_cast<bool>(handler_); }

    // The one entry point for pressed and released events, from the platform or a test.
    std::int32_t deliver(const HotKeyEvent* event);

    // Where the desktop lets no program register a shortcut: what the user adds to the
    // desktop's own settings to get this one. None where registering works.
    virtual std::optional<BindingAdvice> bindingAdvice(std::uint32_t keyCode,
                                                       std::uint32_t carbonModifiers) const;

  protected:
    virtual std::int32_t doRegister(std::uint32_t keyCode, std::uint32_t carbonModifiers,
                                    HotKeyID id) = 0;
    virtual void doUnregister(HotKeyID id) = 0;

  private:
    Handler handler_;
};

} // namespace wigglet
