#include "ui/AuthorizeViewController.h"

#include "app/Links.h"
#include "platform/Platform.h"
#include "platform/Workspace.h"

#include <QAbstractButton>
#include <QWidget>

namespace wigglet {

AuthorizeViewController::AuthorizeViewController(QWidget* view)
    : QObject(view),
      openPreferencesButton(view->findChild<QAbstractButton*>("openPreferencesButton")) {
    if (openPreferencesButton)
        connect(openPreferencesButton, &QAbstractButton::clicked, this,
                &AuthorizeViewController::openPreferences);
}

// An X11 desktop has no privacy setting for synthetic input (the XTEST extension either is
// there or not); the help page explains how to get it.
void AuthorizeViewController::openPreferences() {
    Platform::current().workspace().openUrl(links::addresses().faq);
}

} // namespace wigglet
