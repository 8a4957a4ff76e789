#include "ui/AboutViewController.h"

#include "foundation/Localizer.h"
#include "ui/InfosList.h"

#include <QLabel>
#include <QWidget>

namespace wigglet {

AboutViewController::AboutViewController(QWidget* view)
    : QObject(view), versionTextField(view->findChild<QLabel*>("versionTextField")),
      copyrightTextField(view->findChild<QLabel*>("copyrightTextField")) {
    viewDidLoad();
}

void AboutViewController::viewDidLoad() {
    if (versionTextField)
        versionTextField->setText(QString::fromStdString(InfosList::version()));
    if (copyrightTextField)
        copyrightTextField->setText(QString::fromStdString(localized("copyright")));
}

} // namespace wigglet
