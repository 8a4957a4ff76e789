#pragma once

#include "platform/linux/ServiceReport.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace wigglet::doctor {

// Everything `wigglet doctor` found, in the words it prints and the fields --json gives.
struct DoctorReport {
    struct IdleSource {
        std::string name;
        std::string readers;
        // Absent when the source could not be read; whyNot says why.
        std::optional<double> idleBefore;
        std::optional<double> idleAfter;
        std::string whyNot;
        // Whether the step reset it; absent when the check cannot tell.
        std::optional<bool> reset;
        std::string note;
    };
    struct Blocker {
        std::string source; // logind, GNOME, KDE
        std::string what;
        std::string who;
        std::string why;
        std::string mode;
        std::optional<unsigned> pid;
        bool wigglet = false;
    };

    std::string session;
    std::string backend;
    std::vector<std::string> notes;
    std::vector<desktop::ServiceReport> services;
    std::vector<IdleSource> idleSources;
    std::string stepTaken;
    std::vector<Blocker> blockers;

    // What Wigglet cannot do without: the essential services that nothing serves.
    std::vector<std::string> missing() const;
    bool works() const { return missing().empty(); }

    nlohmann::json toJson() const;
    std::string toText() const;
};

} // namespace wigglet::doctor
