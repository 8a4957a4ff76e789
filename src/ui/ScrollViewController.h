#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace wigglet {

class SettingsBinder;

// The Scroll pane: how tabs are switched while scrolling and whether the page then goes back
// to the top. It has no logic: its controls are bound to their settings, which the tab
// switcher and the shake step read at every step.
class ScrollViewController final : public QObject {
    Q_OBJECT

  public:
    explicit ScrollViewController(QWidget* view);

    // Binds the controls, once, when the pane is first shown.
    void viewDidLoad();
    bool isLoaded() const { return binder_ != nullptr; }

    QPointer<QWidget> view;
    QPointer<QComboBox> tabSwitchDropdown;
    QPointer<QAbstractButton> scrollTopCheckbox;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SettingsBinder* binder_ = nullptr;
};

} // namespace wigglet
