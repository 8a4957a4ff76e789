#include "foundation/LanguageChoice.h"

#include "ScopedVariable.h"
#include "SimFixture.h"
#include "foundation/Localizer.h"

namespace wigglet::test {

namespace {

struct LocaleRow {
    const char* behaviour;
    LocaleVariables variables;
    const char* language; // of the table chosen
    const char* shake;    // the menu's Shake item in it
};

const LocaleRow kLocales[] = {
    {"LANG alone chooses", {"", "", "", "de_DE.UTF-8"}, "de", "Wackeln"},
    {"a territory without a table takes its language", {"", "", "", "de_AT"}, "de", "Wackeln"},
    {"pt_BR takes the Brazilian table", {"", "", "", "pt_BR.UTF-8"}, "pt_BR", "Agitar"},
    {"pt of Portugal has no table and stays English", {"", "", "", "pt_PT.UTF-8"}, "en", "Shake"},
    {"LC_MESSAGES wins over LANG", {"", "", "fr_FR.UTF-8", "de_DE.UTF-8"}, "fr", "Secouer"},
    {"LC_ALL wins over LC_MESSAGES", {"", "it_IT.UTF-8", "fr_FR.UTF-8", "de_DE"}, "it", "Scuoti"},
    {"LANGUAGE wins over the locale", {"pl:de", "", "", "fr_FR.UTF-8"}, "pl", "Potrząsaj"},
    {"LANGUAGE is tried in order", {"eo:es_MX:de", "", "", "fr_FR.UTF-8"}, "es", "Agitar"},
    {"an English entry in LANGUAGE means English", {"en_GB:de", "", "", "de_DE"}, "en", "Shake"},
    {"the locale follows a LANGUAGE with no table", {"eo", "", "", "it_IT.UTF-8"}, "it", "Scuoti"},
    {"the C locale is English", {"", "", "", "C"}, "en", "Shake"},
    {"under the C locale LANGUAGE is not read", {"de", "", "", "C.UTF-8"}, "en", "Shake"},
    {"an unknown locale is English", {"", "", "", "xx_YY.UTF-8"}, "en", "Shake"},
};

TEST(LocaleChoice, PicksTheTable) {
    for (const LocaleRow& row : kLocales) {
        SCOPED_TRACE(row.behaviour);
        const Localizer chosen = Localizer::forLanguages(LanguageChoice::of(row.variables));
        EXPECT_EQ(chosen.language(), row.language);
        EXPECT_EQ(chosen.string("menu-shake"), row.shake);
    }
}

TEST(LanguageChoiceOrder, EachNameIsFollowedByItsBareLanguage) {
    EXPECT_EQ(LanguageChoice::of({"fr_CA:pt_BR.UTF-8@latin", "", "", "de_AT.UTF-8"}),
              (std::vector<std::string>{"fr_CA", "fr", "pt_BR", "pt", "de_AT", "de"}));
}

// The simulated platform reads no locale, so scenarios and traces stay in English.
class SimulatedPlatformLanguage : public SimFixture {
  protected:
    wigglet::testing::ScopedVariable language{"LANGUAGE", "de"};
    wigglet::testing::ScopedVariable all{"LC_ALL", "de_DE.UTF-8"};
};

TEST_F(SimulatedPlatformLanguage, IsEnglishWhateverTheMachinesLocale) {
    EXPECT_EQ(Localizer::shared().language(), "en");
    EXPECT_EQ(localized("menu-quit"), "Quit");
}

} // namespace

} // namespace wigglet::test
