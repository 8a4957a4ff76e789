#include "ui/HyperlinkTextFieldEmail.h"

#include "ui/LinkLook.h"
#include "ui/SendEmail.h"

#include <QMouseEvent>

namespace wigglet {

HyperlinkTextFieldEmail::HyperlinkTextFieldEmail(QWidget* parent) : QLabel(parent) {
    applyLinkLook(*this);
}

void HyperlinkTextFieldEmail::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    SendEmail::compose();
}

} // namespace wigglet
