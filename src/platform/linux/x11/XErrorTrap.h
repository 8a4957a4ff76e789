#pragma once

#include <optional>

struct _XDisplay;

namespace wigglet::desktop {

// Collects the X errors caused by the requests made during its lifetime, so that a refused
// request becomes a value instead of reaching Xlib's default handler, which ends the process.
// The trap puts its handler in place itself, since a toolkit may have installed its own since;
// errors outside any trap are written to stderr and otherwise ignored.
class XErrorTrap {
  public:
    explicit XErrorTrap(_XDisplay* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to have handled every request so far; then the first error code
    // that one of them caused, if any.
    std::optional<int> firstError();

    // Makes the trap-aware handler Xlib's error handler for the whole process.
    static void installHandler();
    // Hands an error to the innermost trap on that display; false when no trap wants it.
    static bool record(_XDisplay* display, int errorCode);

  private:
    _XDisplay* display_;
    XErrorTrap* enclosing_;
    std::optional<int> error_;
};

} // namespace wigglet::desktop
