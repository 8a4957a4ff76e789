#include "ui/ScrollViewController.h"

#include "ui/SettingsBinder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace wigglet {

ScrollViewController::ScrollViewController(QWidget* pane)
    : QObject(pane), view(pane),
      tabSwitchDropdown(pane->findChild<QComboBox*>("tabSwitchDropdown")),
      scrollTopCheckbox(pane->findChild<QAbstractButton*>("scrollTopCheckbox")) {
    pane->installEventFilter(this);
}

bool ScrollViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view && event->type() == QEvent::Show && !binder_)
        viewDidLoad();
    return false;
}

void ScrollViewController::viewDidLoad() {
    binder_ = new SettingsBinder(view);
}

} // namespace wigglet
