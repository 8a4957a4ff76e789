#include "ui/HyperlinkTextFieldWebsite.h"

#include "app/Links.h"
#include "platform/Platform.h"
#include "platform/Workspace.h"

#include <QMouseEvent>

namespace wigglet {

HyperlinkTextFieldWebsite::HyperlinkTextFieldWebsite(QWidget* parent)
    : QLabel(parent), websiteUrl_(links::website) {
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
}

void HyperlinkTextFieldWebsite::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    Platform::current().workspace().openUrl(websiteUrl_.toStdString());
}

} // namespace wigglet
