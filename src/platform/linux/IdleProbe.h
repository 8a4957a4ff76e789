#pragma once

#include <optional>
#include <string>

namespace wigglet::desktop {

// One idle count that programs of the session read, read raw: Wigglet's own input counts as
// input here, since the question is whether a step reaches the count.
class IdleProbe {
  public:
    virtual ~IdleProbe() = default;

    // What the count is, and who reads it.
    virtual std::string name() const = 0;
    virtual std::string readers() const = 0;
    // Seconds since the count last saw input; absent with the reason when it cannot be read.
    virtual std::optional<double> idleSeconds(std::string& whyNot) = 0;
};

} // namespace wigglet::desktop
