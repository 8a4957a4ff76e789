#include "ui/DesktopPreferencesPane.h"

#include "app/AppDelegate.h"
#include "app/ShakingNoticeSetting.h"
#include "foundation/Localizer.h"
#include "platform/CustomShortcutSettings.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/ShortcutText.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace wigglet {

namespace {

QString paneText(std::string_view key) {
    return QString::fromStdString(localized(key));
}

QString shownShortcut() {
    return QString::fromStdString(ShortcutText::of(GlobalKeybindPreferences::storedShortcut()));
}

} // namespace

DesktopPreferencesPane::DesktopPreferencesPane(AppDelegate& delegate, bool trayless,
                                               CustomShortcutSettings* shortcuts, QWidget* parent)
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
    column->addStretch();
    refresh();
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
