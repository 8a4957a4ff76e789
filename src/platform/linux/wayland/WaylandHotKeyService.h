#pragma once

#include "platform/HotKeyService.h"

#include <string>

namespace wigglet::desktop {

// wlroots compositors offer applications no global shortcuts: every registration is refused,
// and the user binds `wigglet toggle` in the compositor's own configuration instead.
class WaylandHotKeyService : public HotKeyService {
  public:
    enum class Compositor { sway, hyprland, other };

    static constexpr std::int32_t refused = -9879;

    explicit WaylandHotKeyService(Compositor compositor = compositorOfSession());

    // Told by the variables each compositor sets for its clients.
    static Compositor compositorOfSession();
    // The line for the compositor's configuration file; empty for one whose syntax is unknown.
    static std::string configurationLine(Compositor compositor, std::uint32_t keyCode,
                                         std::uint32_t carbonModifiers);

    std::optional<BindingAdvice> bindingAdvice(std::uint32_t keyCode,
                                               std::uint32_t carbonModifiers) const override;

  protected:
    std::int32_t doRegister(std::uint32_t, std::uint32_t, HotKeyID) override { return refused; }
    void doUnregister(HotKeyID) override {}

  private:
    Compositor compositor_;
};

} // namespace wigglet::desktop
