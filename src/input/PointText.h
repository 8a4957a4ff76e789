#pragma once

#include "platform/Geometry.h"

#include <string>
#include <string_view>

namespace wigglet {

// The platform's text form of a point, "{x, y}": the click location is stored this way. Reading
// is lenient the way the platform's is: it picks the numbers out of any text. It knows nothing
// of point spaces; the caller says which one the point is in.
class PointText {
  public:
    // The first number found is x and the second y; one number gives y 0, none gives (0, 0).
    // A number is an optional sign, digits with at most one decimal point, and an optional
    // exponent. Magnitudes beyond the double range saturate; nothing past the view is read.
    static Point parse(std::string_view text);
    // "{512.4, 200}": each coordinate in the shortest decimal form that reads back exactly.
    static std::string format(Point point);
};

} // namespace wigglet
