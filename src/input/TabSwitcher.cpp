#include "input/TabSwitcher.h"

namespace wigglet {

bool TabSwitcher::switchTabIfDue() {
    return false;
}

} // namespace wigglet
