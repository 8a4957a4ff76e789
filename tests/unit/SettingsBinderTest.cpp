#include "ui/SettingsBinder.h"

#include "SimFixture.h"

#include <QCheckBox>
#include <QWidget>

namespace wigglet::test {

namespace {

using SettingsBinderTest = SimFixture;

// A stored index without its item is ui-stored-index-without-item's.
TEST_F(SettingsBinderTest, AControlWithoutAKeyWritesNothing) {
    QWidget root;
    auto* bound = new QCheckBox(&root);
    bound->setProperty(SettingsBinder::keyProperty, "tabScrollTopEnabled");
    auto* unbound = new QCheckBox(&root);
    SettingsBinder binder(&root);
    unbound->click();
    EXPECT_TRUE(traceLines("store").empty());
    bound->click();
    EXPECT_EQ(traceLines("store").size(), 1u);
}

} // namespace

} // namespace wigglet::test
