#include "QtScenarioUi.h"

#include "ui/MainMenuController.h"
#include "ui/QtUserInterface.h"

#include <QCoreApplication>
#include <utility>

namespace wigglet::sim {

QtScenarioUi::QtScenarioUi() = default;

QtScenarioUi::~QtScenarioUi() = default;

void QtScenarioUi::attach(AppDelegate& delegate) {
    ui_ = std::make_unique<QtUserInterface>(delegate);
    ui_->menu().terminate = [this] { quitRequested_ = true; };
    actor_.emplace(delegate, *ui_);
    describer_ = QtUiDescriber(ui_.get());
}

void QtScenarioUi::detach() {
    actor_.reset();
    describer_ = QtUiDescriber();
    ui_.reset();
    settle();
}

void QtScenarioUi::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool QtScenarioUi::takeQuitRequest() {
    return std::exchange(quitRequested_, false);
}

} // namespace wigglet::sim
