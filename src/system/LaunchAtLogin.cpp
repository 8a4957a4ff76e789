#include "system/LaunchAtLogin.h"

#include "platform/LoginItems.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"

#include <algorithm>

namespace wigglet {

namespace {

constexpr std::string_view kObservedKey = "isEnabled";

void logFailure(const char* verb, const std::string& reason) {
    Platform::current().system().log(LogLevel::Error, std::string("Failed to ") + verb +
                                                          " launch at login: " + reason);
}

} // namespace

std::shared_ptr<LaunchAtLogin::KVO::Observer> LaunchAtLogin::KVO::addObserver(Observer observer) {
    auto handle = std::make_shared<Observer>(std::move(observer));
    std::erase_if(observers_, [](const auto& weak) { return weak.expired(); });
    observers_.push_back(handle);
    return handle;
}

bool LaunchAtLogin::KVO::isEnabled() const {
    return LaunchAtLogin::isEnabled();
}

void LaunchAtLogin::KVO::setEnabled(bool enabled) {
    LaunchAtLogin::setEnabled(enabled);
}

void LaunchAtLogin::KVO::notify(Change change) {
    // Observers may come and go while they are told.
    std::vector<std::shared_ptr<Observer>> live;
    for (const auto& weak : observers_)
        if (auto observer = weak.lock())
            live.push_back(std::move(observer));
    for (const auto& observer : live)
        (*observer)(kObservedKey, change);
}

LaunchAtLogin::KVO& LaunchAtLogin::kvo() {
    return Platform::current().shared<KVO>();
}

const std::string& LaunchAtLogin::helperIdentifier() {
    std::optional<std::string>& identifier = kvo().helperIdentifier_;
    if (!identifier)
        identifier = Platform::current().system().bundleValue("CFBundleIdentifier").value_or("") +
                     std::string(kHelperSuffix);
    return *identifier;
}

bool LaunchAtLogin::usesMainAppService() {
    return Platform::current().system().operatingSystemVersion().atLeast(13);
}

bool LaunchAtLogin::isEnabled() {
    if (usesMainAppService())
        return Platform::current().loginItems().mainAppStatus() == SMAppServiceStatusEnabled;
    return helperJobEnabled();
}

bool LaunchAtLogin::helperJobEnabled() {
    const auto jobs = Platform::current().loginItems().copyAllJobDictionaries();
    if (!jobs)
        return false;
    const std::string& helper = helperIdentifier();
    const auto job = std::find_if(jobs->begin(), jobs->end(),
                                  [&](const LoginJob& entry) { return entry.label == helper; });
    return job != jobs->end() && job->onDemand.value_or(false);
}

void LaunchAtLogin::setEnabled(bool enabled) {
    kvo().notify(KVO::Change::WillChange);
    if (usesMainAppService())
        setMainAppRegistered(enabled);
    else
        Platform::current().loginItems().setLoginItemEnabled(helperIdentifier(), enabled);
    kvo().notify(KVO::Change::DidChange);
}

void LaunchAtLogin::setMainAppRegistered(bool enabled) {
    LoginItems& items = Platform::current().loginItems();
    if (!enabled) {
        if (const auto error = items.unregisterMainApp())
            logFailure("disable", *error);
        return;
    }
    // Registering afresh over an existing registration; a failure to drop the old one is
    // not worth a word, since registering again is what counts.
    if (items.mainAppStatus() == SMAppServiceStatusEnabled)
        static_cast<void>(items.unregisterMainApp());
    if (const auto error = items.registerMainApp())
        logFailure("enable", *error);
}

} // namespace wigglet
