#include "ui/WindowController.h"

#include "ui/LayoutLoader.h"

#include <QWidget>

namespace wigglet {

WindowController::WindowController(std::unique_ptr<QWidget> window, Lifetime lifetime)
    : window_(window.release()), lifetime_(lifetime) {
    if (lifetime_ == Lifetime::EndsWithWindow) {
        setParent(window_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
}

WindowController::~WindowController() {
    if (lifetime_ == Lifetime::Kept)
        delete window_.data();
}

void WindowController::showWindow() {
    window_->show();
    window_->raise();
    window_->activateWindow();
}

std::unique_ptr<QWidget> WindowController::loadWindow(const QString& layout,
                                                      const QString& identifier,
                                                      const QString& controllerClass) {
    std::unique_ptr<QWidget> window = identifier.isEmpty()
                                          ? LayoutLoader::instantiateInitial(layout)
                                          : LayoutLoader::instantiate(layout, identifier);
    if (!window || window->property("windowController").toString() != controllerClass)
        return nullptr;
    return window;
}

} // namespace wigglet
