#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QWidget;

namespace wigglet {

// What the window controllers share: the window taken from a layout, and showing it in front
// of the other applications. A layout names the controller class of each window (dynamic
// property `windowController`); a window that names another class is not used.
class WindowController : public QObject {
    Q_OBJECT

  public:
    ~WindowController() override;

    QWidget* window() const { return window_.data(); }
    // Brings the application forward and shows the window in front; the first time, centred
    // on the screen with the pointer.
    void showWindow();

    // The window under the identifier in the layout, if it names that controller class.
    static std::unique_ptr<QWidget> loadWindow(const QString& layout, const QString& identifier,
                                               const QString& controllerClass);

  protected:
    // A kept controller owns its window, which closing only hides; a passing one belongs to
    // its window and ends with it when the window is closed.
    enum class Lifetime { Kept, EndsWithWindow };
    WindowController(std::unique_ptr<QWidget> window, Lifetime lifetime);

    // Escape and Ctrl+W close the window unless this says otherwise.
    virtual bool closesOnKeys() const { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void placeOnPointerScreen();

    QPointer<QWidget> window_;
    Lifetime lifetime_;
    bool placed_ = false;
};

} // namespace wigglet
