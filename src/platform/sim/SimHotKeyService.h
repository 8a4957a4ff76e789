#pragma once

#include "platform/HotKeyService.h"

#include <map>
#include <optional>
#include <string>

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
    // A desktop that lets no program register shortcuts, and tells how to bind one instead: in
    // its configuration file, or, with no file, in its own settings.
    void refuseEveryShortcut(std::string desktop, std::string configurationFile) {
        refusedBy_ = BindingAdvice{std::move(desktop), std::move(configurationFile), {}};
    }
    // The line reads "key <code> modifiers <mask>" for the file.
    std::optional<BindingAdvice> bindingAdvice(std::uint32_t keyCode,
                                               std::uint32_t carbonModifiers) const override;
    // The user presses and releases the combination registered last, if any.
    void pressRegistered();
    void processEnded() { registered_.clear(); }
    const std::map<std::uint32_t, Combination>& registered() const { return registered_; }

  protected:
    std::int32_t doRegister(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id) override;
    void doUnregister(HotKeyID id) override;

  private:
    bool failNext_ = false;
    std::optional<BindingAdvice> refusedBy_;
    std::map<std::uint32_t, Combination> registered_;
};

} // namespace wigglet::sim
