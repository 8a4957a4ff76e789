#include "doctor/DoctorReport.h"

#include <cstdio>

namespace wigglet::doctor {

namespace {

// Without these Wigglet cannot do its main job: see that the user is away, and act then.
constexpr const char* essentialServices[] = {"idle time", "input"};

nlohmann::json optionalNumber(const std::optional<double>& value) {
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

std::string secondsText(const std::optional<double>& value) {
    if (!value)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", *value);
    return text;
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string verdictOf(const DoctorReport::IdleSource& source) {
    if (!source.idleBefore)
        return "not reachable: " + source.whyNot;
    if (!source.reset)
        return "cannot tell: " + source.note;
    return *source.reset ? "reset by the step" : "NOT reset by the step";
}

} // namespace

std::vector<std::string> DoctorReport::missing() const {
    std::vector<std::string> absent;
    for (const char* essential : essentialServices) {
        bool served = false;
        for (const desktop::ServiceReport& service : services)
            served = served || (service.service == essential && !service.mechanism.empty());
        if (!served)
            absent.emplace_back(essential);
    }
    return absent;
}

nlohmann::json DoctorReport::toJson() const {
    nlohmann::json json = {{"session", session}, {"backend", backend}, {"notes", notes}};
    json["services"] = nlohmann::json::array();
    for (const desktop::ServiceReport& service : services) {
        nlohmann::json unavailable = nlohmann::json::array();
        for (const auto& each : service.unavailable)
            unavailable.push_back({{"mechanism", each.mechanism}, {"why", each.why}});
        json["services"].push_back(
            {{"service", service.service},
             {"mechanism", service.mechanism.empty() ? nlohmann::json(nullptr)
                                                     : nlohmann::json(service.mechanism)},
             {"unavailable", unavailable},
             {"advice", service.advice}});
    }
    json["liveCheck"] = {{"step", stepTaken}, {"sources", nlohmann::json::array()}};
    for (const IdleSource& source : idleSources)
        json["liveCheck"]["sources"].push_back(
            {{"name", source.name},
             {"readers", source.readers},
             {"reachable", source.idleBefore.has_value()},
             {"whyNot", source.whyNot},
             {"idleBefore", optionalNumber(source.idleBefore)},
             {"idleAfter", optionalNumber(source.idleAfter)},
             {"reset", source.reset ? nlohmann::json(*source.reset) : nlohmann::json(nullptr)},
             {"note", source.note}});
    json["sleepBlockers"] = nlohmann::json::array();
    for (const Blocker& blocker : blockers)
        json["sleepBlockers"].push_back(
            {{"source", blocker.source},
             {"what", blocker.what},
             {"who", blocker.who},
             {"why", blocker.why},
             {"mode", blocker.mode},
             {"pid", blocker.pid ? nlohmann::json(*blocker.pid) : nlohmann::json(nullptr)},
             {"wigglet", blocker.wigglet}});
    json["works"] = works();
    json["missing"] = missing();
    return json;
}

std::string DoctorReport::toText() const {
    std::string text = "Session: " + session + "\nBackend: " + backend + "\n";
    for (const std::string& note : notes)
        text += "  note: " + note + "\n";
    text += "\nServices:\n";
    for (const desktop::ServiceReport& service : services) {
        text += "  " + padded(service.service, 27) +
                (service.mechanism.empty() ? "NONE" : service.mechanism) + "\n";
        for (const auto& each : service.unavailable)
            text += "  " + padded("", 27) + "not used: " + each.mechanism + " (" + each.why + ")\n";
        if (!service.advice.empty())
            text += "  " + padded("", 27) + "to do: " + service.advice + "\n";
    }
    text += "\nLive check (" + stepTaken + "):\n";
    for (const IdleSource& source : idleSources)
        text += "  " + padded(source.name, 40) + padded(secondsText(source.idleBefore), 9) + "-> " +
                padded(secondsText(source.idleAfter), 9) + verdictOf(source) + "\n";
    text += "\nSleep blockers now held:\n";
    if (blockers.empty())
        text += "  none\n";
    for (const Blocker& blocker : blockers)
        text += "  " + blocker.source + ": " + blocker.what + " (" + blocker.mode + ") by " +
                blocker.who + (blocker.pid ? " [" + std::to_string(*blocker.pid) + "]" : "") +
                ", \"" + blocker.why + "\"" + (blocker.wigglet ? "  <- Wigglet's own" : "") + "\n";
    const std::vector<std::string> absent = missing();
    text += "\n";
    if (absent.empty())
        text += "Wigglet's main job works here.\n";
    for (const std::string& service : absent)
        text += "Wigglet needs " + service + ", which nothing serves in this session.\n";
    return text;
}

} // namespace wigglet::doctor
