#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

namespace wigglet {

// The About window's content: fills in the version and the copyright notice; hides the links
// the build has no address for.
class AboutViewController final : public QObject {
    Q_OBJECT

    QWidget* view_;

  public:
    explicit AboutViewController(QWidget* view);

    void viewDidLoad();

    QPointer<QLabel> versionTextField;
    QPointer<QLabel> copyrightTextField;
};

} // namespace wigglet
