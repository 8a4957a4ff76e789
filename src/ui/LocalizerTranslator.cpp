#include "ui/LocalizerTranslator.h"

#include "foundation/Localizer.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <cstring>

namespace wigglet {

namespace {

// The top-level class names of the layouts, which QUiLoader passes as context.
bool isLayoutContext(const char* context) {
    return context &&
           (std::strcmp(context, "Main") == 0 || std::strcmp(context, "Preferences") == 0);
}

} // namespace

void LocalizerTranslator::install() {
    auto* app = QCoreApplication::instance();
    if (!app || app->findChild<LocalizerTranslator*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    QCoreApplication::installTranslator(new LocalizerTranslator(app));
}

QString LocalizerTranslator::translate(const char* context, const char*, const char* disambiguation,
                                       int) const {
    if (!isLayoutContext(context) || !disambiguation || !*disambiguation ||
        !Platform::isInstalled())
        return {};
    const Localizer& texts = Localizer::shared();
    if (!texts.contains(disambiguation))
        return {};
    return QString::fromStdString(texts.string(disambiguation));
}

} // namespace wigglet
