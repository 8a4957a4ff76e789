#include "ui/HyperlinkTextFieldWebsite.h"

#include "app/Links.h"
#include "platform/Platform.h"
#include "platform/Workspace.h"
#include "ui/LinkLook.h"

#include <QMouseEvent>

namespace wigglet {

HyperlinkTextFieldWebsite::HyperlinkTextFieldWebsite(QWidget* parent)
    : QLabel(parent), websiteUrl_(QString::fromStdString(links::addresses().website)) {
    applyLinkLook(*this);
}

void HyperlinkTextFieldWebsite::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    Platform::current().workspace().openUrl(websiteUrl_.toStdString());
}

} // namespace wigglet
