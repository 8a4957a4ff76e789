#include "ui/SettingsBinder.h"

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

    QWidget root;
    QComboBox* popUp;
    QCheckBox* box;
    QCheckBox* unbound;
};

TEST_F(SettingsBinderTest, AnIndexWithoutItemSelectsNothing) {
    store->putRaw("scrollTabType", 7);
    SettingsBinder binder(&root);
    EXPECT_EQ(popUp->currentIndex(), -1);
}

TEST_F(SettingsBinderTest, AControlWithoutAKeyWritesNothing) {
    SettingsBinder binder(&root);
    unbound->click();
    EXPECT_TRUE(traceLines("store").empty());
}

} // namespace

} // namespace wigglet::test
