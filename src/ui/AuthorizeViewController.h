#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace wigglet {

// The Authorize window's content: its button leads to the settings that allow Wigglet to
// synthesise input.
class AuthorizeViewController final : public QObject {
    Q_OBJECT

  public:
    explicit AuthorizeViewController(QWidget* view);

    void openPreferences();

    QPointer<QAbstractButton> openPreferencesButton;
};

} // namespace wigglet
