#pragma once

#include <string>

namespace wigglet {

// Where the project's web pages and mail go; empty when the build names none, and then the
// item or link that would open it is hidden.
struct LinkAddresses {
    std::string website;
    std::string faq;
    std::string feedback;
    std::string makerSite;
    std::string supportEmail;
};

namespace links {

// The software centre's page of the application, for updates and reviews.
inline constexpr const char* softwareCentre = "appstream://org.wigglet.Wigglet";

// The build's addresses (WIGGLET_WEBSITE, ... at configure time) unless replaced.
const LinkAddresses& addresses();
// A host that configures its own, such as the simulated platform.
void setAddresses(LinkAddresses addresses);

} // namespace links

} // namespace wigglet
