#pragma once

namespace wigglet {

// A point in points. Which space it is in (screen or global display coordinates) is said
// where it is used.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
};

struct Rect {
    Point origin;
    Size size;
};

} // namespace wigglet
