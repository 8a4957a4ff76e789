#pragma once

#include "doctor/DoctorReport.h"

#include <QDBusConnection>
#include <vector>

namespace wigglet::doctor {

// The sleep and idle blockers held now: logind's inhibitors, GNOME's session inhibitors and
// KDE's power-management inhibitions, where each service runs. Wigglet's own are marked by
// its name or by the process that owns its bus name.
class SleepBlockers {
  public:
    SleepBlockers(QDBusConnection systemBus, QDBusConnection sessionBus);

    std::vector<DoctorReport::Blocker> list() const;

  private:
    void addLogind(std::vector<DoctorReport::Blocker>& found) const;
    void addGnome(std::vector<DoctorReport::Blocker>& found) const;
    void addKde(std::vector<DoctorReport::Blocker>& found) const;
    bool isWigglet(const DoctorReport::Blocker& blocker) const;

    QDBusConnection system_;
    QDBusConnection session_;
    std::optional<unsigned> wiggletPid_;
};

} // namespace wigglet::doctor
