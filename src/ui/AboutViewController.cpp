#include "ui/AboutViewController.h"

#include "app/Links.h"
#include "foundation/Localizer.h"
#include "ui/InfosList.h"

#include <QLabel>
#include <QWidget>

namespace wigglet {

AboutViewController::AboutViewController(QWidget* view)
    : QObject(view), view_(view), versionTextField(view->findChild<QLabel*>("versionTextField")),
      copyrightTextField(view->findChild<QLabel*>("copyrightTextField")) {
    viewDidLoad();
}

void AboutViewController::viewDidLoad() {
    if (versionTextField)
        versionTextField->setText(QString::fromStdString(InfosList::version()));
    if (copyrightTextField)
        copyrightTextField->setText(QString::fromStdString(localized("copyright")));
    // A build that names no web site or mail address shows no link to follow.
    const LinkAddresses& to = links::addresses();
    if (auto* website = view_->findChild<QWidget*>("websiteLink"))
        website->setVisible(!to.website.empty());
    if (auto* email = view_->findChild<QWidget*>("emailLink"))
        email->setVisible(!to.supportEmail.empty());
}

} // namespace wigglet
