#include "platform/Workspace.h"

#include "platform/Platform.h"

namespace wigglet {

bool Workspace::openUrl(const std::string& url) {
    recordTrace("open-url", {{"url", url}});
    return doOpenUrl(url);
}

void Workspace::composeMail(const std::string& to, const std::string& subject,
                            const std::string& body) {
    recordTrace("compose-mail", {{"to", to}, {"subject", subject}, {"body", body}});
    doComposeMail(to, subject, body);
}

} // namespace wigglet
