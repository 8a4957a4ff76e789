#include "ui/PreferencesWindowController.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "ui/ClickView.h"
#include "ui/ClickViewController.h"
#include "ui/EventMonitor.h"
#include "ui/GeneralViewController.h"
#include "ui/KeyEventTranslator.h"
#include "ui/RulesViewController.h"
#include "ui/ScrollViewController.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QTabWidget>
#include <algorithm>

namespace wigglet {

std::unique_ptr<PreferencesWindowController>
PreferencesWindowController::instantiate(AppDelegate& delegate) {
    auto window = loadWindow("Preferences", QString(), "PreferencesWindowController");
    if (!window)
        return nullptr;
    auto* tabs = window->findChild<QTabWidget*>("tabView");
    if (!tabs || tabs->count() < 3 || !qobject_cast<ClickView*>(tabs->widget(1)))
        return nullptr;
    return std::unique_ptr<PreferencesWindowController>(
        new PreferencesWindowController(std::move(window), tabs, delegate));
}

PreferencesWindowController::PreferencesWindowController(std::unique_ptr<QWidget> window,
                                                         QTabWidget* tabs, AppDelegate& delegate)
    : WindowController(std::move(window), Lifetime::Kept),
      terminate([] { QCoreApplication::quit(); }), tabView_(tabs),
      general_(new GeneralViewController(tabs->widget(0), delegate)),
      click_(new ClickViewController(static_cast<ClickView*>(tabs->widget(1)))),
      scroll_(new ScrollViewController(tabs->widget(2))) {
    if (tabs->count() > 3)
        new RulesViewController(tabs->widget(3), delegate);
    if (QLayout* layout = this->window()->layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    fitToLargestPane();
    windowDidLoad();
}

PreferencesWindowController::~PreferencesWindowController() {
    if (keyMonitor_)
        keyMonitor_->remove();
}

void PreferencesWindowController::windowDidLoad() {
    keyMonitor_ = new EventMonitor(QEvent::KeyPress, [this](QEvent* event) {
        if (const auto keyDown = KeyEventTranslator::toKeyDown(*static_cast<QKeyEvent*>(event)))
            this->keyDown(*keyDown);
    });
}

void PreferencesWindowController::keyDown(const KeyDown& event) {
    if (general_->isListening()) {
        general_->keyDown(event);
        return;
    }
    if (click_->isPicking() && event.keyCode == virtualKey::escape) {
        click_->cancelPick();
        return;
    }
    if (!window()->isActiveWindow())
        return;
    const auto withControl = [&event](std::uint16_t key) {
        return event.keyCode == key && event.modifierFlags == modifierFlag::control;
    };
    if ((event.keyCode == virtualKey::escape && event.modifierFlags == 0) ||
        withControl(virtualKey::ansiW))
        window()->close();
    else if (withControl(virtualKey::ansiQ) && terminate)
        terminate();
    else if (withControl(virtualKey::ansiComma))
        window()->raise();
}

void PreferencesWindowController::selectPane(int index) {
    tabView_->setCurrentIndex(index);
}

// One size for every pane, the largest, so that the window does not jump between tabs. A tab
// widget asks only for its pages' size hints, which miss a pane's height for its width.
void PreferencesWindowController::fitToLargestPane() {
    QSize largest;
    for (int i = 0; i < tabView_->count(); ++i)
        largest = largest.expandedTo(tabView_->widget(i)->sizeHint());
    const QSize chrome = tabView_->sizeHint() - largest;
    int height = largest.height();
    for (int i = 0; i < tabView_->count(); ++i) {
        const QWidget* pane = tabView_->widget(i);
        if (pane->hasHeightForWidth())
            height = std::max(height, pane->heightForWidth(largest.width()));
    }
    tabView_->setFixedSize(largest.width() + chrome.width(), height + chrome.height());
    window()->adjustSize();
}

} // namespace wigglet
