#include "ui/MainWindowController.h"

#include "app/AppDelegate.h"
#include "app/ShakeChoices.h"
#include "app/ShakeTimer.h"
#include "foundation/Localizer.h"
#include "foundation/SettingsStore.h"
#include "ui/MainMenuController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace wigglet {

namespace {

QString mainText(std::string_view key) {
    return QString::fromStdString(localized(key));
}

// What the menu's time-left line says, and "Not shaking" when it is hidden.
QString shakingState() {
    SettingsStore& store = SettingsStore::shared();
    if (!store.boolForKey(SettingsKey::shakeEnabled))
        return mainText("tooltip-not-shaking");
    if (store.integerForKey(SettingsKey::lastDurationSelected) == 0)
        return mainText("menu-shaking-indefinitely");
    return mainText("menu-shaking-left") +
           QString::fromStdString(ShakeTimer::shared().timeLeftString());
}

QPushButton* addWindowButton(QLayout* layout, const char* name, const QString& title,
                             std::function<void()> action) {
    auto* button = new QPushButton(title);
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, button, std::move(action));
    layout->addWidget(button);
    return button;
}

} // namespace

MainWindowController::MainWindowController(AppDelegate& delegate)
    : WindowController(std::make_unique<QWidget>(), Lifetime::Kept), terminate([] {}),
      delegate_(delegate) {
    window()->setObjectName("mainWindow");
    window()->setWindowTitle(QStringLiteral("Wigglet"));
    auto* column = new QVBoxLayout(window());
    column->addWidget(buildHeader());
    column->addWidget(buildInputs());
    column->addWidget(buildButtons());
    column->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

QWidget* MainWindowController::buildHeader() {
    auto* header = new QWidget;
    header->setObjectName("header");
    auto* row = new QHBoxLayout(header);
    AppDelegate& d = delegate_;
    shakingSwitch_ = addSwitch(header, "shakingSwitch", mainText("menu-shake"),
                               [&d] { d.shakePreviousClicked(); });
    row->addWidget(shakingSwitch_);
    timeLeft_ = new QLabel(header);
    timeLeft_->setObjectName("timeLeftLabel");
    timeLeft_->setMinimumWidth(
        timeLeft_->fontMetrics().horizontalAdvance(mainText("menu-shaking-indefinitely") + "  "));
    row->addWidget(timeLeft_, 1);
    durations_ = new QComboBox(header);
    durations_->setObjectName("durationChoice");
    durations_->addItem(mainText("indefinitely"), 0);
    for (const int minutes : shakeChoices::durationMinutes)
        durations_->addItem(MainMenuController::durationTitle(minutes), minutes);
    // Only the user's choice starts shaking; the refresh's own selection does not.
    connect(durations_, &QComboBox::activated, this, [this](int index) {
        delegate_.shakeForClickedWithSender(durations_->itemData(index).toLongLong());
    });
    row->addWidget(durations_);
    return header;
}

QWidget* MainWindowController::buildInputs() {
    auto* inputs = new QWidget;
    auto* row = new QHBoxLayout(inputs);
    AppDelegate& d = delegate_;
    click_ = addSwitch(inputs, "clickSwitch", mainText("menu-click"), [&d] { d.switchClick(); });
    scroll_ =
        addSwitch(inputs, "scrollSwitch", mainText("menu-scroll"), [&d] { d.switchScroll(); });
    moveCursor_ = addSwitch(inputs, "moveCursorSwitch", mainText("menu-move-cursor"),
                            [&d] { d.switchMoveCursor(); });
    for (QCheckBox* box : {click_.data(), scroll_.data(), moveCursor_.data()})
        row->addWidget(box);
    row->addStretch();
    return inputs;
}

QWidget* MainWindowController::buildButtons() {
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    AppDelegate& d = delegate_;
    addWindowButton(row, "preferencesButton", MainMenuController::preferencesTitle(),
                    [&d] { d.showPreferences(); });
    addWindowButton(row, "aboutButton", mainText("menu-about"), [&d] { d.infos(); });
    addWindowButton(row, "overviewButton", mainText("menu-overview"), [&d] { d.overview(); });
    row->addStretch();
    addWindowButton(row, "quitButton", mainText("menu-quit"), [this] {
        if (terminate)
            terminate();
    });
    return buttons;
}

QCheckBox* MainWindowController::addSwitch(QWidget* parent, const char* name, const QString& title,
                                           std::function<void()> action) {
    auto* box = new QCheckBox(title, parent);
    box->setObjectName(name);
    // The mark mirrors the settings: Qt's own flip is undone and the refresh decides.
    connect(box, &QCheckBox::clicked, this, [box, action = std::move(action)](bool checked) {
        box->setChecked(!checked);
        action();
    });
    return box;
}

void MainWindowController::refresh() {
    SettingsStore& store = SettingsStore::shared();
    const bool shaking = store.boolForKey(SettingsKey::shakeEnabled);
    shakingSwitch_->setChecked(shaking);
    timeLeft_->setText(shakingState());
    const int chosen =
        durations_->findData(int(store.integerForKey(SettingsKey::lastDurationSelected)));
    durations_->setCurrentIndex(std::max(chosen, 0));
    click_->setChecked(store.boolForKey(SettingsKey::clickEnabled));
    scroll_->setChecked(store.boolForKey(SettingsKey::scrollEnabled));
    moveCursor_->setChecked(store.boolForKey(SettingsKey::moveCursorEnabled));
}

} // namespace wigglet
