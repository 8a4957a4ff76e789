#pragma once

#include "platform/HotKeyService.h"

#include <map>

namespace wigglet::sim {

// Registered combinations, keyed by the identifier pair's number. A registration can be made
// to fail, as when another program holds the combination.
class SimHotKeyService final : public HotKeyService {
  public:
    struct Combination {
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        HotKeyID id;
    };

    void failNextRegistration() { failNext_ = true; }
    // The user presses and releases the combination registered last, if any.
    void pressRegistered();
    void processEnded() { registered_.clear(); }
    const std::map<std::uint32_t, Combination>& registered() const { return registered_; }

  protected:
    std::int32_t doRegister(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id) override;
    void doUnregister(HotKeyID id) override;

  private:
    bool failNext_ = false;
    std::map<std::uint32_t, Combination> registered_;
};

} // namespace wigglet::sim
