#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

class QAbstractButton;
class QWidget;

namespace wigglet {

class ClickView;
class EventMonitor;

// The Click pane: which button a click step presses and where it clicks, at the pointer or
// at a location the user picks by clicking anywhere on the main screen. Picking covers the
// main screen with a panel that shows what lies beneath and how to pick, and takes the next
// left click that reaches the application; Escape cancels. The pane only writes settings.
class ClickViewController final : public QObject {
    Q_OBJECT

  public:
    explicit ClickViewController(ClickView* view);
    ~ClickViewController() override;

    // Loads the controls, once, when the pane is first shown.
    void viewDidLoad();
    bool isLoaded() const { return loaded_; }

    // Actions.
    void clickButtonChange(QAbstractButton* sender);
    void clickLocationChange(QAbstractButton* sender);
    void clickTargetButtonChange();

    bool isPicking() const { return !clickMonitor.isNull(); }
    // Ends a pick without storing a location.
    void cancelPick();

    QPointer<ClickView> view;
    std::unique_ptr<QWidget> clickPanel;
    QPointer<EventMonitor> clickMonitor;
    QPointer<QAbstractButton> leftClickButton;
    QPointer<QAbstractButton> rightClickButton;
    QPointer<QAbstractButton> bothClickButton;
    QPointer<QAbstractButton> cursorLeftAtRadioButton;
    QPointer<QAbstractButton> customLocationRadioButton;
    QPointer<QAbstractButton> customizeLocationButton;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setLocationTitle();
    void pick(QEvent* event);
    std::unique_ptr<QWidget> makeClickPanel();
    void endPick();

    bool loaded_ = false;
};

} // namespace wigglet
