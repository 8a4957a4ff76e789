#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace wigglet {

// Binds the controls of a layout to the settings store, as the layout declares it: a control
// with the dynamic property `settingsKey` shows that setting and writes it (then flushes) when
// the user changes it. A pop-up stores its selected index as an integer, a checkbox or radio
// button its state as a boolean. It holds no values of its own: every read goes to the store.
class SettingsBinder final : public QObject {
    Q_OBJECT

  public:
    explicit SettingsBinder(QWidget* root);

    // Shows the stored values again (a pane that is shown anew).
    void load();

    static constexpr const char* keyProperty = "settingsKey";

  private:
    void bind(QWidget* control);
    void loadControl(QWidget* control);

    std::vector<QPointer<QWidget>> bound_;
};

} // namespace wigglet
