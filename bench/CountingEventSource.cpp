#include "CountingEventSource.h"

namespace wigglet::bench {

void CountingEventSource::doWarp(Point location) {
    ++warps;
    pointer = location;
}

} // namespace wigglet::bench
