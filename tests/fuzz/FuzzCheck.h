#pragma once

#include <cstdlib>

namespace wigglet::fuzz {

// A broken promise ends the run, so that libFuzzer keeps the input that broke it.
inline void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace wigglet::fuzz
