#pragma once

#include "platform/SystemInfo.h"

namespace wigglet::sim {

struct SimWorld;

class SimSystemInfo final : public SystemInfo {
  public:
    explicit SimSystemInfo(SimWorld& world) : world_(world) {}
    OSVersion operatingSystemVersion() override;
    std::optional<std::string> bundleValue(std::string_view key) override;
    // The scenarios' platform writes shortcuts in symbols and titles windows by their items.
    ShortcutStyle shortcutStyle() override { return ShortcutStyle::Symbols; }
    WindowTitleStyle windowTitleStyle() override { return WindowTitleStyle::MenuItem; }

  protected:
    void doLog(LogLevel, std::string_view) override {}

  private:
    SimWorld& world_;
};

} // namespace wigglet::sim
