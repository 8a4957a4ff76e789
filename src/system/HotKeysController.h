#pragma once

#include "platform/HotKeyService.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace wigglet {

class HotKey;

// The process-wide registry of global shortcuts: registers each HotKey's combination with the
// platform under its own identifier pair and routes pressed and released events back to it.
// It never compares a combination with other shortcuts, and never reports a refused
// registration: that shortcut just stays inert.
class HotKeysController {
  public:
    // 'WgHk', first character in the highest byte.
    static constexpr std::uint32_t hotKeySignature = (std::uint32_t('W') << 24) |
                                                     (std::uint32_t('g') << 16) |
                                                     (std::uint32_t('H') << 8) | std::uint32_t('k');
    // What an event without an identifier pair answers, as reading the missing parameter would.
    static constexpr std::int32_t eventParameterNotFoundErr = -9870;

    struct HotKeyBox {
        std::string identifier;
        // Cleared by the HotKey's own unregistration when it is released.
        HotKey* hotKey = nullptr;
        std::uint32_t carbonHotKeyID = 0;
        // Present once the platform accepted the registration.
        std::optional<HotKeyID> carbonEventHotKey;
    };

    static HotKeysController& shared();

    void registerHotKey(HotKey& hotKey);
    void unregisterHotKey(const HotKey& hotKey);
    std::int32_t handleHotKeyEvent(const HotKeyEvent* event);

    const std::map<std::uint32_t, HotKeyBox>& registeredBoxes() const { return registeredBoxes_; }
    std::uint32_t registrationCount() const { return registrationCount_; }
    // Whether the platform accepted the hot key's combination.
    bool isGrabbed(const HotKey& hotKey) const;

  private:
    void installEventHandler();

    std::map<std::uint32_t, HotKeyBox> registeredBoxes_;
    std::uint32_t registrationCount_ = 0;
    bool carbonEventHandler_ = false;
};

} // namespace wigglet
