#pragma once

#include "platform/HotKeyService.h"

namespace wigglet::desktop {

// wlroots compositors offer applications no global shortcuts: every registration is refused,
// and the user binds `wigglet toggle` in the compositor's own configuration instead.
class WaylandHotKeyService : public HotKeyService {
  public:
    static constexpr std::int32_t refused = -9879;

  protected:
    std::int32_t doRegister(std::uint32_t, std::uint32_t, HotKeyID) override { return refused; }
    void doUnregister(HotKeyID) override {}
};

} // namespace wigglet::desktop
