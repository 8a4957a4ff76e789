#include "support/UrlCatcher.h"

#include <QDesktopServices>

namespace wigglet::testing {

UrlCatcher::UrlCatcher(std::initializer_list<const char*> schemes) {
    for (const char* scheme : schemes) {
        schemes_.push_back(QString::fromLatin1(scheme));
        QDesktopServices::setUrlHandler(schemes_.back(), this, "open");
    }
}

UrlCatcher::~UrlCatcher() {
    for (const QString& scheme : schemes_)
        QDesktopServices::unsetUrlHandler(scheme);
}

} // namespace wigglet::testing
