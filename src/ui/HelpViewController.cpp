#include "ui/HelpViewController.h"

#include <QLabel>
#include <QWidget>

namespace wigglet {

HelpViewController::HelpViewController(QWidget* view)
    : QObject(view), mainLabel(view->findChild<QLabel*>("mainLabel")) {}

} // namespace wigglet
