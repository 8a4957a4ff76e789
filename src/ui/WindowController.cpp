#include "ui/WindowController.h"

#include "ui/LayoutLoader.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace wigglet {

WindowController::WindowController(std::unique_ptr<QWidget> window, Lifetime lifetime)
    : window_(window.release()), lifetime_(lifetime) {
    if (lifetime_ == Lifetime::EndsWithWindow) {
        setParent(window_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    // A decorated window of its own with a close button, placed by us and the window manager
    // rather than at the layout's (0, 0).
    window_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint);
    window_->setAttribute(Qt::WA_Moved, false);
    window_->installEventFilter(this);
}

WindowController::~WindowController() {
    if (lifetime_ == Lifetime::Kept)
        delete window_.data();
}

void WindowController::showWindow() {
    if (!placed_)
        placeOnPointerScreen();
    // Opened again while minimised or behind others: it comes back in front.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void WindowController::placeOnPointerScreen() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window_->adjustSize();
    QRect frame({}, window_->size());
    frame.moveCenter(screen->availableGeometry().center());
    window_->move(frame.topLeft());
    placed_ = true;
}

bool WindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::KeyPress || !closesOnKeys())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool escape = key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
    const bool closeKey = key->key() == Qt::Key_W && key->modifiers() == Qt::ControlModifier;
    if (!escape && !closeKey)
        return false;
    window_->close();
    return true;
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
