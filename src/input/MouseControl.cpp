#include "input/MouseControl.h"

namespace wigglet {

void MouseControl::simulateSmoothScrollWithDistance(double, double) {}

void MouseControl::postMouseMovedInPlace() {}

} // namespace wigglet
