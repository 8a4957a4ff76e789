#pragma once

#include <QString>
#include <QUiLoader>
#include <memory>

class QWidget;

namespace wigglet {

// Loads the window layouts built into the program (":/layouts/NAME.ui") and makes the
// program's own widget classes that the layouts name. Texts pass through the localisation
// table as they load. It knows nothing of what the windows do.
class LayoutLoader final : public QUiLoader {
    Q_OBJECT

  public:
    explicit LayoutLoader(QObject* parent = nullptr);

    // The window kept in the layout under that identifier, detached from the rest; none when
    // the layout or the identifier is missing.
    static std::unique_ptr<QWidget> instantiate(const QString& layout, const QString& identifier);
    // The layout's top-level window.
    static std::unique_ptr<QWidget> instantiateInitial(const QString& layout);

    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

  private:
    static std::unique_ptr<QWidget> loadLayout(const QString& layout);
};

} // namespace wigglet
