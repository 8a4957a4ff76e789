#pragma once

#include "platform/linux/DesktopBackend.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wigglet::desktop {

enum class SessionKind { X11, Wayland, Unknown };

// Picks the backend for the session the program finds itself in, among those that were
// built: the session's own kind first, then any other that can reach a display (an X11
// backend under XWayland). Says why when none can.
class BackendChooser {
  public:
    using Factory = std::function<std::unique_ptr<DesktopBackend>()>;
    using Environment = std::function<std::string(const char* name)>;

    struct Choice {
        std::unique_ptr<DesktopBackend> backend;
        // What was tried and why it was passed over, one line each; with no backend, why
        // none could start.
        std::vector<std::string> notes;
    };

    explicit BackendChooser(Environment environment);

    void add(SessionKind kind, Factory factory);
    SessionKind sessionKind() const;
    Choice choose() const;

  private:
    struct Entry {
        SessionKind kind;
        Factory factory;
    };

    Environment environment_;
    std::vector<Entry> entries_;
};

const char* nameOf(SessionKind kind);

} // namespace wigglet::desktop
