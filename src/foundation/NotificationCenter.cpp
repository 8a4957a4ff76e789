#include "foundation/NotificationCenter.h"

#include "platform/Platform.h"

#include <algorithm>

namespace wigglet {

NotificationCenter& NotificationCenter::defaultCenter() {
    return Platform::current().shared<NotificationCenter>();
}

NotificationCenter::Observation NotificationCenter::addObserver(const std::string& name,
                                                                Handler handler) {
    Observation observation;
    observation.handler_ = std::make_shared<Handler>(std::move(handler));
    observers_[name].push_back(observation.handler_);
    return observation;
}

void NotificationCenter::post(const std::string& name, const void* sender,
                              const UserInfo& userInfo) {
    Trace::Fields info = Trace::Fields::object();
    for (const auto& [key, value] : userInfo)
        std::visit([&, &key = key](const auto& v) { info[key] = v; }, value);
    recordTrace("broadcast", {{"name", name}, {"info", info}});

    auto found = observers_.find(name);
    if (found == observers_.end())
        return;
    auto& list = found->second;
    std::erase_if(list, [](const std::weak_ptr<Handler>& h) { return h.expired(); });
    // A copy, so that an observer may add or drop observers while it runs.
    const auto snapshot = list;
    const Notification notification{name, sender, userInfo};
    for (const auto& weak : snapshot)
        if (auto handler = weak.lock())
            (*handler)(notification);
}

} // namespace wigglet
