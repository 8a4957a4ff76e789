#include "ui/LayoutLoader.h"

#include "ui/ClickHideButton.h"
#include "ui/ClickView.h"
#include "ui/CustomButton.h"
#include "ui/FormView.h"
#include "ui/HyperlinkTextFieldEmail.h"
#include "ui/HyperlinkTextFieldWebsite.h"
#include "ui/LocalizerTranslator.h"
#include "ui/OneClickButton.h"

#include <QFile>
#include <QWidget>
#include <functional>
#include <map>

namespace wigglet {

namespace {

using Factory = std::function<QWidget*(QWidget*)>;

template <class T> Factory make() {
    return [](QWidget* parent) { return new T(parent); };
}

const std::map<QString, Factory>& ownClasses() {
    static const std::map<QString, Factory> classes = {
        {"CustomButton", make<CustomButton>()},
        {"OneClickButton", make<OneClickButton>()},
        {"ClickHideButton", make<ClickHideButton>()},
        {"ClickView", make<ClickView>()},
        {"FormView", make<FormView>()},
        {"HyperlinkTextFieldWebsite", make<HyperlinkTextFieldWebsite>()},
        {"HyperlinkTextFieldEmail", make<HyperlinkTextFieldEmail>()},
    };
    return classes;
}

} // namespace

LayoutLoader::LayoutLoader(QObject* parent) : QUiLoader(parent) {
    setTranslationEnabled(true);
}

QWidget* LayoutLoader::createWidget(const QString& className, QWidget* parent,
                                    const QString& name) {
    const auto found = ownClasses().find(className);
    if (found == ownClasses().end())
        return QUiLoader::createWidget(className, parent, name);
    QWidget* widget = found->second(parent);
    widget->setObjectName(name);
    return widget;
}

std::unique_ptr<QWidget> LayoutLoader::loadLayout(const QString& layout) {
    LocalizerTranslator::install();
    QFile file(":/layouts/" + layout + ".ui");
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    LayoutLoader loader;
    return std::unique_ptr<QWidget>(loader.load(&file));
}

std::unique_ptr<QWidget> LayoutLoader::instantiateInitial(const QString& layout) {
    return loadLayout(layout);
}

std::unique_ptr<QWidget> LayoutLoader::instantiate(const QString& layout,
                                                   const QString& identifier) {
    std::unique_ptr<QWidget> root = loadLayout(layout);
    if (!root)
        return nullptr;
    auto* window = root->findChild<QWidget*>(identifier);
    if (!window)
        return nullptr;
    window->setParent(nullptr, Qt::Window);
    return std::unique_ptr<QWidget>(window);
}

} // namespace wigglet
