#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wigglet {

// The one source of every random draw in the program. Seeded, so that a simulated run with
// the same seed repeats itself exactly; the desktop seeds it from the system.
class Random {
  public:
    explicit Random(std::uint64_t seed = 1) { reseed(seed); }
    void reseed(std::uint64_t seed);

    std::uint64_t next();
    // Uniform integer in [lo, hi].
    std::int64_t uniformInt(std::int64_t lo, std::int64_t hi);
    // Uniform real in [lo, hi].
    double uniformReal(double lo, double hi);
    bool coinFlip() { return (next() >> 63) != 0; }
    // A version-4 UUID in its standard upper-case text form.
    std::string uuid();

    template <class T> const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(uniformInt(0, std::int64_t(items.size()) - 1))];
    }

  private:
    std::uint64_t state_[4] = {};
};

} // namespace wigglet
