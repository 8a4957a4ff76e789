#include "ui/RulesViewController.h"

#include "app/AppDelegate.h"
#include "app/LocalClock.h"
#include "app/RuleArbiter.h"
#include "app/RuleSet.h"
#include "foundation/Localizer.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTimeEdit>

namespace wigglet {

namespace {

QString ruleDayName(int weekday) {
    // Qt counts from Monday = 1 to Sunday = 7.
    return QLocale(QString::fromStdString(Localizer::shared().language()))
        .dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat);
}

QString ruleTimeText(int minuteOfDay) {
    return QString::fromStdString(LocalClock::timeOfDayText(minuteOfDay));
}

int ruleMinuteOf(const QTime& time) {
    return time.hour() * 60 + time.minute();
}

QString ruleText(std::string_view key) {
    return QString::fromStdString(localized(key));
}

} // namespace

RulesViewController::RulesViewController(QWidget* pane, AppDelegate& delegate)
    : QObject(pane), view_(pane), delegate_(delegate),
      list_(pane->findChild<QListWidget*>("rulesList")),
      kind_(pane->findChild<QComboBox*>("ruleKindButton")),
      from_(pane->findChild<QTimeEdit*>("ruleFromEdit")),
      to_(pane->findChild<QTimeEdit*>("ruleToEdit")),
      end_(pane->findChild<QDateTimeEdit*>("ruleEndEdit")),
      program_(pane->findChild<QLineEdit*>("ruleProgramField")),
      add_(pane->findChild<QAbstractButton*>("addRuleButton")),
      replace_(pane->findChild<QAbstractButton*>("replaceRuleButton")),
      remove_(pane->findChild<QAbstractButton*>("removeRuleButton")) {
    for (int day = 0; day < 7; ++day) {
        auto* box = pane->findChild<QAbstractButton*>(QStringLiteral("ruleDay%1").arg(day));
        if (box)
            box->setText(ruleDayName(day));
        days_.push_back(box);
    }
    if (!list_ || !kind_ || !from_ || !to_ || !end_ || !program_ || !add_ || !replace_ ||
        !remove_ || std::ranges::count(days_, nullptr) > 0)
        return;
    from_->setDisplayFormat(QStringLiteral("HH:mm"));
    to_->setDisplayFormat(QStringLiteral("HH:mm"));
    end_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    from_->setTime(QTime(9, 0));
    to_->setTime(QTime(17, 0));
    for (int day = 1; day <= 5; ++day)
        days_[static_cast<std::size_t>(day)]->setChecked(true);
    connect(list_, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { kindChanged(); });
    connect(add_, &QAbstractButton::clicked, this, [this] { add(); });
    connect(replace_, &QAbstractButton::clicked, this, [this] { replaceSelected(); });
    connect(remove_, &QAbstractButton::clicked, this, [this] { removeSelected(); });
    pane->installEventFilter(this);
    kindChanged();
    reload();
}

bool RulesViewController::eventFilter(QObject* watched, QEvent* event) {
    // The file may have been edited since: the pane shows what is stored now.
    if (watched == view_ && event->type() == QEvent::Show)
        reload();
    return false;
}

QString RulesViewController::describe(const Rule& rule) {
    switch (rule.kind) {
    case Rule::Kind::Hours: {
        QStringList ranges;
        for (const TimeRange& range : rule.ranges) {
            QStringList names;
            for (int day = 0; day < 7; ++day)
                if ((range.days >> day) & 1u)
                    names << ruleDayName(day);
            ranges << names.join(' ') + ' ' + ruleTimeText(range.from) + "–" +
                          ruleTimeText(range.to);
        }
        return ruleText("rule-hours") + ": " + ranges.join("; ");
    }
    case Rule::Kind::Until:
        return ruleText("rule-until") + ": " +
               QString::fromStdString(LocalClock::dateTimeText(rule.end)).replace('T', ' ');
    case Rule::Kind::Mains:
        return ruleText("rule-mains");
    case Rule::Kind::Program:
        return QString::fromStdString(Localizer::shared().format("rule-program", {rule.program}));
    }
    return {};
}

void RulesViewController::reload() {
    rules_ = delegate_.arbiter().rules();
    const int row = list_->currentRow();
    list_->clear();
    for (const Rule& rule : rules_)
        list_->addItem(describe(rule));
    list_->setCurrentRow(std::min(row, list_->count() - 1));
    const bool selected = list_->currentRow() >= 0;
    replace_->setEnabled(selected);
    remove_->setEnabled(selected);
}

void RulesViewController::showSelected() {
    const int row = list_->currentRow();
    replace_->setEnabled(row >= 0);
    remove_->setEnabled(row >= 0);
    if (row < 0 || row >= static_cast<int>(rules_.size()))
        return;
    const Rule& rule = rules_[static_cast<std::size_t>(row)];
    kind_->setCurrentIndex(static_cast<int>(rule.kind));
    if (rule.kind == Rule::Kind::Hours) {
        const TimeRange& range = rule.ranges.front();
        for (int day = 0; day < 7; ++day)
            days_[static_cast<std::size_t>(day)]->setChecked((range.days >> day) & 1u);
        from_->setTime(QTime(range.from / 60, range.from % 60));
        to_->setTime(QTime(range.to / 60 % 24, range.to % 60));
    } else if (rule.kind == Rule::Kind::Until) {
        end_->setDateTime(
            QDateTime(QDate(rule.end.year, rule.end.month, rule.end.day),
                      QTime(rule.end.secondOfDay / 3600, rule.end.secondOfDay / 60 % 60)));
    } else if (rule.kind == Rule::Kind::Program) {
        program_->setText(QString::fromStdString(rule.program));
    }
}

void RulesViewController::kindChanged() {
    const auto kind = static_cast<Rule::Kind>(kind_->currentIndex());
    for (QAbstractButton* day : days_)
        day->setEnabled(kind == Rule::Kind::Hours);
    from_->setEnabled(kind == Rule::Kind::Hours);
    to_->setEnabled(kind == Rule::Kind::Hours);
    end_->setEnabled(kind == Rule::Kind::Until);
    program_->setEnabled(kind == Rule::Kind::Program);
    if (kind == Rule::Kind::Until && end_->dateTime() < QDateTime::currentDateTime())
        end_->setDateTime(QDateTime::fromSecsSinceEpoch(
            static_cast<qint64>(Platform::current().runLoop().date()) + 3600));
}

std::optional<Rule> RulesViewController::ruleFromForm() const {
    Rule rule;
    rule.kind = static_cast<Rule::Kind>(kind_->currentIndex());
    if (rule.kind == Rule::Kind::Hours) {
        TimeRange range;
        for (int day = 0; day < 7; ++day)
            if (days_[static_cast<std::size_t>(day)]->isChecked())
                range.days = static_cast<std::uint8_t>(range.days | (1u << day));
        range.from = ruleMinuteOf(from_->time());
        range.to = ruleMinuteOf(to_->time());
        if (range.days == 0 || range.from == range.to)
            return std::nullopt;
        rule.ranges.push_back(range);
    } else if (rule.kind == Rule::Kind::Until) {
        const QDateTime end = end_->dateTime();
        rule.end = {end.date().year(), end.date().month(), end.date().day(), 0,
                    ruleMinuteOf(end.time()) * 60};
    } else if (rule.kind == Rule::Kind::Program) {
        rule.program = program_->text().trimmed().toStdString();
        if (rule.program.empty())
            return std::nullopt;
    }
    return rule;
}

void RulesViewController::add() {
    if (const auto rule = ruleFromForm()) {
        auto rules = rules_;
        rules.push_back(*rule);
        store(rules);
        list_->setCurrentRow(list_->count() - 1);
    }
}

void RulesViewController::replaceSelected() {
    const int row = list_->currentRow();
    const auto rule = ruleFromForm();
    if (row < 0 || row >= static_cast<int>(rules_.size()) || !rule)
        return;
    auto rules = rules_;
    rules[static_cast<std::size_t>(row)] = *rule;
    store(rules);
}

void RulesViewController::removeSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(rules_.size()))
        return;
    auto rules = rules_;
    rules.erase(rules.begin() + row);
    store(rules);
}

void RulesViewController::store(const std::vector<Rule>& rules) {
    RuleSet::save(rules);
    delegate_.arbiter().evaluate();
    reload();
}

} // namespace wigglet
