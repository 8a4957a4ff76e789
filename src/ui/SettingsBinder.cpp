#include "ui/SettingsBinder.h"

#include "foundation/SettingsStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSignalBlocker>
#include <QWidget>

namespace wigglet {

namespace {

std::string keyOf(const QWidget* control) {
    return control->property(SettingsBinder::keyProperty).toString().toStdString();
}

} // namespace

SettingsBinder::SettingsBinder(QWidget* root) : QObject(root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->property(keyProperty).toString().isEmpty())
            bind(widget);
    }
    load();
}

void SettingsBinder::bind(QWidget* control) {
    const std::string key = keyOf(control);
    if (auto* popUp = qobject_cast<QComboBox*>(control)) {
        connect(popUp, &QComboBox::activated, this, [key](int index) {
            SettingsStore::shared().setInteger(key, index);
            SettingsStore::shared().synchronize();
        });
    } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
        connect(box, &QAbstractButton::clicked, this, [key, box] {
            SettingsStore::shared().setBool(key, box->isChecked());
            SettingsStore::shared().synchronize();
        });
    } else {
        return;
    }
    bound_.emplace_back(control);
}

void SettingsBinder::load() {
    for (const auto& control : bound_)
        if (control)
            loadControl(control);
}

void SettingsBinder::loadControl(QWidget* control) {
    SettingsStore& store = SettingsStore::shared();
    const std::string key = keyOf(control);
    const QSignalBlocker quiet(control);
    if (auto* popUp = qobject_cast<QComboBox*>(control)) {
        const auto index = store.integerForKey(key);
        popUp->setCurrentIndex(index >= 0 && index < popUp->count() ? static_cast<int>(index) : -1);
    } else if (auto* box = qobject_cast<QAbstractButton*>(control)) {
        box->setChecked(store.boolForKey(key));
    }
}

} // namespace wigglet
