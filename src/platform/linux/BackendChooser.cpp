#include "platform/linux/BackendChooser.h"

namespace wigglet::desktop {

const char* nameOf(SessionKind kind) {
    switch (kind) {
    case SessionKind::X11:
        return "X11";
    case SessionKind::Wayland:
        return "Wayland";
    case SessionKind::Unknown:
        break;
    }
    return "unknown";
}

BackendChooser::BackendChooser(Environment environment) : environment_(std::move(environment)) {}

void BackendChooser::add(SessionKind kind, Factory factory) {
    entries_.push_back({kind, std::move(factory)});
}

SessionKind BackendChooser::sessionKind() const {
    const std::string type = environment_("XDG_SESSION_TYPE");
    if (type == "wayland")
        return SessionKind::Wayland;
    if (type == "x11")
        return SessionKind::X11;
    // A login manager may leave the type out ("tty", or nothing from a terminal).
    if (!environment_("WAYLAND_DISPLAY").empty())
        return SessionKind::Wayland;
    if (!environment_("DISPLAY").empty())
        return SessionKind::X11;
    return SessionKind::Unknown;
}

BackendChooser::Choice BackendChooser::choose() const {
    const SessionKind session = sessionKind();
    std::vector<const Entry*> order;
    for (const Entry& entry : entries_)
        if (entry.kind == session)
            order.push_back(&entry);
    for (const Entry& entry : entries_)
        if (entry.kind != session)
            order.push_back(&entry);

    Choice choice;
    if (session != SessionKind::Unknown && (order.empty() || order.front()->kind != session))
        choice.notes.push_back(std::string("this build of Wigglet has no backend for ") +
                               nameOf(session) + " sessions");
    for (const Entry* entry : order) {
        auto backend = entry->factory();
        const std::string reason = backend->prepare();
        if (reason.empty()) {
            choice.backend = std::move(backend);
            return choice;
        }
        choice.notes.push_back(std::string(backend->name()) + ": " + reason);
    }
    return choice;
}

} // namespace wigglet::desktop
