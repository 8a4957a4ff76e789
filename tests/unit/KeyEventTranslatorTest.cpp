#include "ui/KeyEventTranslator.h"

#include "BehaviourRowName.h"
#include "QtApplication.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

using wigglet::KeyDown;
using wigglet::KeyEventTranslator;

namespace {

struct Translation {
    std::string behaviour;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    quint32 nativeModifiers;
    QString text;
    std::optional<KeyDown> expected;
};

void PrintTo(const Translation& row, std::ostream* out) {
    *out << row.behaviour;
}

// Key events name their input device, which the application owns.
class KeyEventTranslatorTest : public ::testing::TestWithParam<Translation> {
  protected:
    void SetUp() override { wigglet::test::ensureQApplication(); }
};

TEST_P(KeyEventTranslatorTest, QtKeyPressBecomesAKeyDown) {
    const Translation& row = GetParam();
    const QKeyEvent event(QEvent::KeyPress, row.qtKey, row.modifiers, 0, 0, row.nativeModifiers,
                          row.text);
    const auto keyDown = KeyEventTranslator::toKeyDown(event);
    ASSERT_EQ(keyDown.has_value(), row.expected.has_value());
    if (!keyDown)
        return;
    EXPECT_EQ(keyDown->keyCode, row.expected->keyCode);
    EXPECT_EQ(keyDown->characters, row.expected->characters);
    EXPECT_EQ(keyDown->modifierFlags, row.expected->modifierFlags);
}

const Qt::KeyboardModifiers none = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyEventTranslatorTest,
    ::testing::Values(Translation{"a letter alone has its US-ANSI code and its text", Qt::Key_A,
                                  none, 0, "a", KeyDown{0, "a", 0}},
                      Translation{"shift keeps the shifted text", Qt::Key_A, Qt::ShiftModifier, 0,
                                  "A", KeyDown{0, "A", 0x20000}},
                      Translation{"control's control character reads as the letter", Qt::Key_K,
                                  Qt::ControlModifier, 0, QString(QChar(0x0b)),
                                  KeyDown{40, "k", 0x40000}},
                      Translation{"Super is Command and Alt is Option", Qt::Key_K,
                                  Qt::MetaModifier | Qt::AltModifier, 0, "k",
                                  KeyDown{40, "k", 0x180000}},
                      Translation{"the X11 lock bit is caps lock", Qt::Key_S, none, 0x2, "s",
                                  KeyDown{1, "s", 0x10000}},
                      Translation{"Escape is code 53", Qt::Key_Escape, none, 0,
                                  QString(QChar(0x1b)), KeyDown{53, std::string("\x1b"), 0}},
                      Translation{"a key without text has no characters", Qt::Key_F5, none, 0, "",
                                  KeyDown{96, std::nullopt, 0}},
                      Translation{"a modifier key on its own is not a key-down", Qt::Key_Shift,
                                  Qt::ShiftModifier, 0, "", std::nullopt},
                      Translation{"a shifted digit is its digit's key", Qt::Key_Exclam,
                                  Qt::ShiftModifier, 0, "!", KeyDown{18, "!", 0x20000}}),
    wigglet::test::BehaviourRowName());

TEST(KeyEventTranslatorRoundTrip, AKeyDownSurvivesTheQtEventThatStandsForIt) {
    wigglet::test::ensureQApplication();
    for (const KeyDown& original :
         {KeyDown{40, "k", 0x180000}, KeyDown{0, "A", 0x20000}, KeyDown{53, std::nullopt, 0},
          KeyDown{1, "s", 0x10000 | 0x100000}, KeyDown{126, std::nullopt, 0x40000}}) {
        const auto event = KeyEventTranslator::toQKeyEvent(original);
        const auto back = KeyEventTranslator::toKeyDown(*event);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->keyCode, original.keyCode);
        EXPECT_EQ(back->characters, original.characters);
        EXPECT_EQ(back->modifierFlags, original.modifierFlags);
    }
}

} // namespace
