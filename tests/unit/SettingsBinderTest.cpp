#include "ui/SettingsBinder.h"

#include "QtApplication.h"
#include "SimFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

namespace wigglet::test {

namespace {

class SettingsBinderTest : public SimFixture {
  protected:
    SettingsBinderTest() {
        popUp = new QComboBox(&root);
        popUp->addItems({"next", "back and forth", "forward run"});
        popUp->setProperty(SettingsBinder::keyProperty, "scrollTabType");
        box = new QCheckBox(&root);
        box->setProperty(SettingsBinder::keyProperty, "tabScrollTopEnabled");
        unbound = new QCheckBox(&root);
    }

    void pick(int index) {
        popUp->setCurrentIndex(index);
        emit popUp->activated(index);
    }

    QtApplicationFirst qt;
    QWidget root;
    QComboBox* popUp;
    QCheckBox* box;
    QCheckBox* unbound;
};

TEST_F(SettingsBinderTest, AbsentSettingsShowTheFirstItemAndAnEmptyBox) {
    SettingsBinder binder(&root);
    EXPECT_EQ(popUp->currentIndex(), 0);
    EXPECT_FALSE(box->isChecked());
}

TEST_F(SettingsBinderTest, StoredValuesAreShownWhenBound) {
    store->putRaw("scrollTabType", 2);
    store->putRaw("tabScrollTopEnabled", true);
    SettingsBinder binder(&root);
    EXPECT_EQ(popUp->currentIndex(), 2);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(SettingsBinderTest, AnIndexWithoutItemSelectsNothing) {
    store->putRaw("scrollTabType", 7);
    SettingsBinder binder(&root);
    EXPECT_EQ(popUp->currentIndex(), -1);
}

TEST_F(SettingsBinderTest, PickingAnItemStoresItsIndex) {
    SettingsBinder binder(&root);
    pick(1);
    EXPECT_EQ(store->integerForKey("scrollTabType"), 1);
    const auto lines = traceLines("store", "key", "scrollTabType");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["value"], 1);
}

TEST_F(SettingsBinderTest, ClickingABoxStoresItsState) {
    SettingsBinder binder(&root);
    box->click();
    EXPECT_TRUE(store->boolForKey("tabScrollTopEnabled"));
    box->click();
    EXPECT_FALSE(store->boolForKey("tabScrollTopEnabled"));
    EXPECT_EQ(traceLines("store", "key", "tabScrollTopEnabled").size(), 2u);
}

TEST_F(SettingsBinderTest, LoadingShowsWhatChangedElsewhereWithoutWriting) {
    SettingsBinder binder(&root);
    store->putRaw("scrollTabType", 1);
    store->putRaw("tabScrollTopEnabled", true);
    binder.load();
    EXPECT_EQ(popUp->currentIndex(), 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(traceLines("store").empty());
}

TEST_F(SettingsBinderTest, AControlWithoutAKeyWritesNothing) {
    SettingsBinder binder(&root);
    unbound->click();
    EXPECT_TRUE(traceLines("store").empty());
}

} // namespace

} // namespace wigglet::test
