#include "ui/KeyEventTranslator.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <string>

using wigglet::KeyDown;
using wigglet::KeyEventTranslator;

namespace {

void expectKeyDown(const std::optional<KeyDown>& got, const std::optional<KeyDown>& expected) {
    ASSERT_EQ(got.has_value(), expected.has_value());
    if (!got)
        return;
    EXPECT_EQ(got->keyCode, expected->keyCode);
    EXPECT_EQ(got->characters, expected->characters);
    EXPECT_EQ(got->modifierFlags, expected->modifierFlags);
}

// The way back, a key-down as a Qt event, carries the scenarios' keys to the recorder.
TEST(KeyEventTranslator, QtKeyPressBecomesAKeyDown) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const struct {
        const char* behaviour;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        quint32 nativeModifiers;
        QString text;
        std::optional<KeyDown> expected;
    } rows[] = {
        {"a letter alone has its US-ANSI code and its text", Qt::Key_A, none, 0, "a",
         KeyDown{0, "a", 0}},
        {"shift keeps the shifted text", Qt::Key_A, Qt::ShiftModifier, 0, "A",
         KeyDown{0, "A", 0x20000}},
        {"control's control character reads as the letter", Qt::Key_K, Qt::ControlModifier, 0,
         QString(QChar(0x0b)), KeyDown{40, "k", 0x40000}},
        {"Super is Command and Alt is Option", Qt::Key_K, Qt::MetaModifier | Qt::AltModifier, 0,
         "k", KeyDown{40, "k", 0x180000}},
        {"the X11 lock bit is caps lock", Qt::Key_S, none, 0x2, "s", KeyDown{1, "s", 0x10000}},
        {"Escape is code 53", Qt::Key_Escape, none, 0, QString(QChar(0x1b)),
         KeyDown{53, std::string("\x1b"), 0}},
        {"a key without text has no characters", Qt::Key_F5, none, 0, "",
         KeyDown{96, std::nullopt, 0}},
        {"a modifier key on its own is not a key-down", Qt::Key_Shift, Qt::ShiftModifier, 0, "",
         std::nullopt},
        {"a shifted digit is its digit's key", Qt::Key_Exclam, Qt::ShiftModifier, 0, "!",
         KeyDown{18, "!", 0x20000}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const QKeyEvent event(QEvent::KeyPress, row.qtKey, row.modifiers, 0, 0, row.nativeModifiers,
                              row.text);
        expectKeyDown(KeyEventTranslator::toKeyDown(event), row.expected);
    }
}

} // namespace
