#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

namespace wigglet {

// The Help window's content: a main label whose text the caller sets.
class HelpViewController final : public QObject {
    Q_OBJECT

  public:
    explicit HelpViewController(QWidget* view);

    QPointer<QLabel> mainLabel;
};

} // namespace wigglet
