#include "platform/sim/SimClock.h"
