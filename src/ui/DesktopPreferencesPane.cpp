#include "ui/DesktopPreferencesPane.h"

#include "app/AppDelegate.h"
#include "app/ShakingNoticeSetting.h"
#include "foundation/Localizer.h"
#include "foundation/SettingsStore.h"
#include "platform/CustomShortcutSettings.h"
#include "platform/RemoteInputSetting.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/ShortcutText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace wigglet {

namespace {

QString paneText(std::string_view key) {
    return QString::fromStdString(localized(key));
}

// The stored names of the input routes, in the pop-up's order.
constexpr std::string_view kInputRoutes[] = {"", "portal", "mutter"};

QString shownShortcut() {
    return QString::fromStdString(ShortcutText::of(GlobalKeybindPreferences::storedShortcut()));
}

} // namespace

DesktopPreferencesPane::DesktopPreferencesPane(AppDelegate& delegate, bool trayless,
                                               CustomShortcutSettings* shortcuts, bool inputRoutes,
                                               QWidget* parent)
    : QWidget(parent), delegate_(delegate), trayless_(trayless), shortcuts_(shortcuts) {
    confirm = [this](const QString& question) {
        return QMessageBox::question(window(), QStringLiteral("Wigglet"), question) ==
               QMessageBox::Yes;
    };
    auto* column = new QVBoxLayout(this);
    notification_ = new QCheckBox(paneText("prefs-shaking-notification"), this);
    notification_->setObjectName("shakingNotificationBox");
    connect(notification_, &QCheckBox::clicked, this, [this](bool checked) {
        shakingNotice::choose(checked);
        delegate_.updateUI();
    });
    column->addWidget(notification_);
    if (shortcuts_) {
        shortcutText_ = new QLabel(this);
        shortcutText_->setObjectName("desktopShortcutText");
        shortcutText_->setWordWrap(true);
        column->addWidget(shortcutText_);
        shortcutButton_ = new QPushButton(this);
        shortcutButton_->setObjectName("desktopShortcutButton");
        connect(shortcutButton_, &QPushButton::clicked, this,
                &DesktopPreferencesPane::shortcutClicked);
        column->addWidget(shortcutButton_, 0, Qt::AlignLeft);
    }
    if (inputRoutes)
        addInputRoutes(*column);
    column->addStretch();
    refresh();
}

void DesktopPreferencesPane::addInputRoutes(QLayout& column) {
    column.addWidget(new QLabel(paneText("prefs-input-route"), this));
    inputRoute_ = new QComboBox(this);
    inputRoute_->setObjectName("remoteInputRouteDropdown");
    for (const char* key :
         {"prefs-input-route-automatic", "prefs-input-route-portal", "prefs-input-route-mutter"})
        inputRoute_->addItem(paneText(key));
    const std::string stored =
        SettingsStore::shared().stringForKey(remoteInputRouteKey).value_or("");
    for (int i = 1; i < 3; ++i)
        if (stored == kInputRoutes[i])
            inputRoute_->setCurrentIndex(i);
    connect(inputRoute_, &QComboBox::activated, this, [](int index) {
        SettingsStore::shared().setString(remoteInputRouteKey, std::string(kInputRoutes[index]));
    });
    column.addWidget(inputRoute_);
}

void DesktopPreferencesPane::refresh() {
    notification_->setChecked(shakingNotice::wanted(trayless_));
    if (!shortcuts_)
        return;
    const auto binding = shortcuts_->binding();
    shortcutText_->setText(binding ? paneText("prefs-desktop-shortcut-added")
                                   : paneText("prefs-desktop-shortcut-text"));
    shortcutButton_->setText(binding ? paneText("prefs-desktop-shortcut-remove")
                                     : paneText("prefs-desktop-shortcut-add"));
}

void DesktopPreferencesPane::shortcutClicked() {
    if (shortcuts_->binding()) {
        shortcuts_->remove();
    } else {
        const QString question = paneText("prefs-desktop-shortcut-confirm").arg(shownShortcut());
        if (!confirm || !confirm(question))
            return;
        const GlobalKeybindPreferences shortcut = GlobalKeybindPreferences::storedShortcut();
        if (!shortcuts_->add(shortcut.keyCode, shortcut.carbonFlags))
            QMessageBox::warning(window(), QStringLiteral("Wigglet"),
                                 paneText("prefs-desktop-shortcut-failed"));
    }
    refresh();
}

} // namespace wigglet
