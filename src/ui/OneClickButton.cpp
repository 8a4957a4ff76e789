#include "ui/OneClickButton.h"

#include <QMouseEvent>

namespace wigglet {

void OneClickButton::highlight(bool on) {
    highlighted_ = on;
    setDown(on);
}

bool OneClickButton::hitButton(const QPoint& pos) const {
    return userInteraction_ && QPushButton::hitButton(pos);
}

void OneClickButton::mousePressEvent(QMouseEvent* event) {
    if (!userInteraction_) {
        event->ignore();
        return;
    }
    QPushButton::mousePressEvent(event);
}

} // namespace wigglet
