// Feeds arbitrary bytes to the point-text reader, as a hand-edited click location would be.
// Reading stays inside the text it is given, and a point written out reads back as itself.
#include "FuzzCheck.h"
#include "input/PointText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

using wigglet::Point;
using wigglet::PointText;

namespace {

bool isFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void checkRoundTrip(Point p) {
    if (!isFinite(p))
        return;
    const Point back = PointText::parse(PointText::format(p));
    if (back != p || std::signbit(back.x) != std::signbit(p.x) ||
        std::signbit(back.y) != std::signbit(p.y))
        wigglet::fuzz::check(false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Point read =
        PointText::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    checkRoundTrip(read);

    // Every finite bit pattern, not only what the reader happens to produce.
    if (size >= 2 * sizeof(double)) {
        Point raw;
        std::memcpy(&raw.x, data, sizeof raw.x);
        std::memcpy(&raw.y, data + sizeof raw.x, sizeof raw.y);
        checkRoundTrip(raw);
    }
    return 0;
}
