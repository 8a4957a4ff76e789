#include "support/FakePowerManagement.h"
