#pragma once

#include "platform/LoginItems.h"

namespace wigglet::sim {

// An in-memory login-item registry for both mechanisms.
class SimLoginItems final : public LoginItems {
  public:
    void failNext(std::string reason) { failure_ = std::move(reason); }

    int mainAppStatus() override { return registered_ ? SMAppServiceStatusEnabled : 0; }
    std::optional<std::vector<LoginJob>> copyAllJobDictionaries() override;

  protected:
    std::optional<std::string> doRegisterMainApp() override;
    std::optional<std::string> doUnregisterMainApp() override;
    bool doSetLoginItemEnabled(const std::string& identifier, bool enabled) override;

  private:
    std::optional<std::string> takeFailure();

    bool registered_ = false;
    std::optional<std::string> failure_;
    std::vector<LoginJob> jobs_;
};

} // namespace wigglet::sim
