#include "ui/UntilDialog.h"

#include "app/AppDelegate.h"
#include "app/LocalClock.h"
#include "foundation/Localizer.h"
#include "platform/Platform.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace wigglet {

namespace {

QString untilText(std::string_view key) {
    return QString::fromStdString(localized(key));
}

double untilNow() {
    return Platform::current().runLoop().date();
}

} // namespace

UntilDialog::UntilDialog(AppDelegate& delegate) : delegate_(delegate) {
    setObjectName(QStringLiteral("untilWindow"));
    setWindowTitle(untilText("until-title"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(untilText("until-label")));
    time_ = new QTimeEdit;
    time_->setObjectName(QStringLiteral("untilTimeEdit"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    row->addWidget(time_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* startButton =
        buttons->addButton(untilText("until-start"), QDialogButtonBox::AcceptRole);
    startButton->setObjectName(QStringLiteral("untilStartButton"));
    startButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { start(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    propose();
}

void UntilDialog::propose() {
    const int minute = LocalClock::civil(untilNow() + 3600).secondOfDay / 60;
    const int quarter = (minute + 14) / 15 * 15 % (24 * 60);
    time_->setTime(QTime(quarter / 60, quarter % 60));
}

QString UntilDialog::timeText() const {
    return time_->time().toString(QStringLiteral("HH:mm"));
}

void UntilDialog::start() {
    const QTime chosen = time_->time();
    accept();
    delegate_.shakeUntil(
        LocalClock::nextInstantOf(chosen.hour() * 60 + chosen.minute(), untilNow()));
}

} // namespace wigglet
