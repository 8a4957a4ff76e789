#pragma once

#include "app/Rule.h"

#include <QObject>
#include <QString>
#include <vector>

class QAbstractButton;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QListWidget;
class QTimeEdit;
class QWidget;

namespace wigglet {

class AppDelegate;

// The Rules pane: the stored rules in a list, and a form to add one, change the selected one
// or remove it. Each change is saved at once and the rules are applied anew. A working-hours
// rule edited here keeps one range; a hand-written one with several shows them all in the list.
class RulesViewController : public QObject {
  public:
    RulesViewController(QWidget* pane, AppDelegate& delegate);

    // The rule as the list writes it, in the user's language.
    static QString describe(const Rule& rule);

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reload();
    void showSelected();
    void kindChanged();
    std::optional<Rule> ruleFromForm() const;
    void add();
    void replaceSelected();
    void removeSelected();
    void store(const std::vector<Rule>& rules);

    QWidget* view_;
    AppDelegate& delegate_;
    QListWidget* list_;
    QComboBox* kind_;
    std::vector<QAbstractButton*> days_;
    QTimeEdit* from_;
    QTimeEdit* to_;
    QDateTimeEdit* end_;
    QLineEdit* program_;
    QAbstractButton* add_;
    QAbstractButton* replace_;
    QAbstractButton* remove_;
    std::vector<Rule> rules_;
};

} // namespace wigglet
