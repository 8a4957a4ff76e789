#include "ui/LinkLook.h"

#include <QLabel>

namespace wigglet {

void applyLinkLook(QLabel& label) {
    QPalette linkPalette = label.palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    label.setPalette(linkPalette);
    QFont underlined = label.font();
    underlined.setUnderline(true);
    label.setFont(underlined);
    label.setCursor(Qt::PointingHandCursor);
}

} // namespace wigglet
