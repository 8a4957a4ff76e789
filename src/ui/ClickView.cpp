#include "ui/ClickView.h"

namespace wigglet {

void ClickView::addTrackingArea() {
    tracking_ = true;
}

void ClickView::removeAllTrackingAreas() {
    tracking_ = false;
    unsetCursor();
}

void ClickView::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (tracking_)
        setCursor(Qt::CrossCursor);
}

} // namespace wigglet
