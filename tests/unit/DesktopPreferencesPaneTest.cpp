#include "ui/DesktopPreferencesPane.h"

#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "platform/CustomShortcutSettings.h"
#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/ShortcutText.h"

#include <QComboBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace wigglet::test {

namespace {

// The desktop's shortcut settings as a record of what was asked of them.
class RecordedShortcutSettings final : public CustomShortcutSettings {
  public:
    std::optional<std::string> binding() override { return entry; }
    bool add(std::uint32_t keyCode, std::uint32_t carbonFlags) override {
        added.emplace_back(keyCode, carbonFlags);
        entry = "<Alt><Super>s";
        return true;
    }
    bool remove() override {
        entry.reset();
        ++removed;
        return true;
    }

    std::optional<std::string> entry;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> added;
    int removed = 0;
};

} // namespace

class DesktopPane : public SimFixture {
  protected:
    DesktopPane() { store->putRaw("notFirstLaunch", true); }

    AppDelegate delegate;
};

TEST_F(DesktopPane, TheShortcutIsAddedOnlyWithConsentAndTheSameButtonRemovesIt) {
    RecordedShortcutSettings settings;
    DesktopPreferencesPane pane(delegate, true, &settings);
    std::vector<QString> asked;
    bool consent = false;
    pane.confirm = [&](const QString& question) {
        asked.push_back(question);
        return consent;
    };
    auto* button = pane.findChild<QPushButton*>("desktopShortcutButton");
    ASSERT_NE(button, nullptr);
    const QString addTitle = button->text();

    button->click();
    ASSERT_EQ(asked.size(), 1u);
    const auto shown = QString::fromStdString(ShortcutText::of(GlobalKeybindPreferences{}));
    EXPECT_TRUE(asked[0].contains(shown)) << asked[0].toStdString();
    EXPECT_TRUE(settings.added.empty()) << "a refusal changes nothing";

    consent = true;
    button->click();
    using Added = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    EXPECT_EQ(settings.added,
              (Added{{virtualKey::ansiS, carbonModifier::cmdKey | carbonModifier::optionKey}}));
    EXPECT_NE(button->text(), addTitle);

    button->click();
    EXPECT_EQ(settings.removed, 1);
    EXPECT_EQ(asked.size(), 2u) << "removing asks nothing";
    EXPECT_EQ(button->text(), addTitle);
}

TEST_F(DesktopPane, TheInputRouteIsOfferedOnlyWhereGnomesOwnIsThereAndStoredByName) {
    EXPECT_EQ(DesktopPreferencesPane(delegate, false, nullptr)
                  .findChild<QComboBox*>("remoteInputRouteDropdown"),
              nullptr);
    store->putRaw("remoteInputRoute", std::string("portal"));
    DesktopPreferencesPane pane(delegate, false, nullptr, true);
    auto* routes = pane.findChild<QComboBox*>("remoteInputRouteDropdown");
    ASSERT_NE(routes, nullptr);
    EXPECT_EQ(routes->currentIndex(), 1) << "the stored route is shown";
    for (const auto& [index, stored] : {std::pair{2, "mutter"}, {0, ""}}) {
        routes->setCurrentIndex(index);
        emit routes->activated(index);
        EXPECT_EQ(store->stringForKey("remoteInputRoute"), stored);
    }
}

} // namespace wigglet::test
