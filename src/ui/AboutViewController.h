#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

namespace wigglet {

// The About window's content: fills in the version and the copyright notice.
class AboutViewController final : public QObject {
    Q_OBJECT

  public:
    explicit AboutViewController(QWidget* view);

    void viewDidLoad();

    QPointer<QLabel> versionTextField;
    QPointer<QLabel> copyrightTextField;
};

} // namespace wigglet
