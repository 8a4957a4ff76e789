#include "ui/ClickHideButton.h"

#include <QMouseEvent>

namespace wigglet {

void ClickHideButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
        return;
    }
    hide();
    click();
}

} // namespace wigglet
