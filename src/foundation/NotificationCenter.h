#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace wigglet {

using UserInfoValue = std::variant<bool, std::int64_t, double, std::string>;
using UserInfo = std::map<std::string, UserInfoValue>;

struct Notification {
    std::string name;
    const void* sender = nullptr;
    UserInfo userInfo;
};

// The process-wide, in-process publish/subscribe centre keyed by name. Posts are delivered
// synchronously on the posting (main) thread; observers have no sender filter. Each post is
// traced as a broadcast.
class NotificationCenter {
  public:
    using Handler = std::function<void(const Notification&)>;

    // Keeps an observer registered for as long as it lives.
    class Observation {
      public:
        Observation() = default;
        Observation(Observation&&) noexcept = default;
        Observation& operator=(Observation&&) noexcept = default;
        ~Observation() = default;

      private:
        friend class NotificationCenter;
        std::shared_ptr<Handler> handler_;
    };

    static NotificationCenter& defaultCenter();

    [[nodiscard]] Observation addObserver(const std::string& name, Handler handler);
    void post(const std::string& name, const void* sender, const UserInfo& userInfo = {});

  private:
    std::map<std::string, std::vector<std::weak_ptr<Handler>>> observers_;
};

} // namespace wigglet
