#include "app/Links.h"

namespace wigglet::links {

namespace {

LinkAddresses& current() {
    static LinkAddresses built{WIGGLET_WEBSITE, WIGGLET_FAQ, WIGGLET_FEEDBACK, WIGGLET_MAKER_SITE,
                               WIGGLET_SUPPORT_EMAIL};
    return built;
}

} // namespace

const LinkAddresses& addresses() {
    return current();
}

void setAddresses(LinkAddresses addresses) {
    current() = std::move(addresses);
}

} // namespace wigglet::links
