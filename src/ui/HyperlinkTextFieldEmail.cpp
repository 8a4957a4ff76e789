#include "ui/HyperlinkTextFieldEmail.h"

#include "ui/SendEmail.h"

#include <QMouseEvent>

namespace wigglet {

HyperlinkTextFieldEmail::HyperlinkTextFieldEmail(QWidget* parent) : QLabel(parent) {
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
}

void HyperlinkTextFieldEmail::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    SendEmail::compose();
}

} // namespace wigglet
