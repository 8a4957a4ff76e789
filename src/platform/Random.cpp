#include "platform/Random.h"

#include <cstdio>

namespace wigglet {

namespace {

std::uint64_t splitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

} // namespace

void Random::reseed(std::uint64_t seed) {
    for (auto& s : state_)
        s = splitMix(seed);
}

// xoshiro256**: fast, and the same sequence on every compiler and library.
std::uint64_t Random::next() {
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

std::int64_t Random::uniformInt(std::int64_t lo, std::int64_t hi) {
    if (hi <= lo)
        return lo;
    const std::uint64_t range = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) + 1;
    if (range == 0)
        return static_cast<std::int64_t>(next());
    // Rejection keeps the draw unbiased.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t x;
    do {
        x = next();
    } while (x >= limit);
    return lo + static_cast<std::int64_t>(x % range);
}

double Random::uniformReal(double lo, double hi) {
    // 53 random bits over [0, 1], both ends reachable.
    const double unit = static_cast<double>(next() >> 11) / static_cast<double>((1ULL << 53) - 1);
    return lo + (hi - lo) * unit;
}

std::string Random::uuid() {
    std::uint64_t hi = next();
    std::uint64_t lo = next();
    hi = (hi & 0xFFFFFFFFFFFF0FFFULL) | 0x0000000000004000ULL;
    lo = (lo & 0x3FFFFFFFFFFFFFFFULL) | 0x8000000000000000ULL;
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%012llX", static_cast<unsigned>(hi >> 32),
                  static_cast<unsigned>((hi >> 16) & 0xFFFF), static_cast<unsigned>(hi & 0xFFFF),
                  static_cast<unsigned>(lo >> 48),
                  static_cast<unsigned long long>(lo & 0xFFFFFFFFFFFFULL));
    return text;
}

} // namespace wigglet
