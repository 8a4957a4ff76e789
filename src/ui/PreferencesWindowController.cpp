#include "ui/PreferencesWindowController.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "ui/ClickView.h"
#include "ui/ClickViewController.h"
#include "ui/EventMonitor.h"
#include "ui/GeneralViewController.h"
#include "ui/KeyEventTranslator.h"
#include "ui/ScrollViewController.h"

#include <QKeyEvent>
#include <QLayout>
#include <QTabWidget>

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
    : WindowController(std::move(window), Lifetime::Kept), tabView_(tabs),
      general_(new GeneralViewController(tabs->widget(0), delegate)),
      click_(new ClickViewController(static_cast<ClickView*>(tabs->widget(1)))),
      scroll_(new ScrollViewController(tabs->widget(2))) {
    if (QLayout* layout = this->window()->layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(tabs, &QTabWidget::currentChanged, this, &PreferencesWindowController::fitToPane);
    fitToPane(tabs->currentIndex());
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
    const bool escape = event.keyCode == virtualKey::escape && event.modifierFlags == 0;
    const bool closeKey =
        event.keyCode == virtualKey::ansiW && event.modifierFlags == modifierFlag::control;
    if ((escape || closeKey) && window()->isActiveWindow())
        window()->close();
}

void PreferencesWindowController::selectPane(int index) {
    tabView_->setCurrentIndex(index);
}

// The window takes the height of the pane shown, as each pane asks for its own size. A tab
// widget asks for the largest of its pages, so the pane's own size is set on it.
void PreferencesWindowController::fitToPane(int index) {
    QSize largest;
    for (int i = 0; i < tabView_->count(); ++i)
        largest = largest.expandedTo(tabView_->widget(i)->sizeHint());
    const QSize chrome = tabView_->sizeHint() - largest;
    const QWidget* pane = tabView_->widget(index);
    const int width = largest.width();
    const int height =
        pane->hasHeightForWidth() ? pane->heightForWidth(width) : pane->sizeHint().height();
    tabView_->setFixedSize(width + chrome.width(), height + chrome.height());
    window()->adjustSize();
}

} // namespace wigglet
