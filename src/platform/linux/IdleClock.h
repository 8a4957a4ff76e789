#pragma once

namespace wigglet::desktop {

// Where a backend reads how long the user has left the machine alone.
class IdleClock {
  public:
    virtual ~IdleClock() = default;

    virtual bool available() const = 0;
    virtual double secondsSinceLastInput() = 0;
};

} // namespace wigglet::desktop
