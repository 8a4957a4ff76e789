#include "ui/KeyEventTranslator.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "qtkeys/QtVirtualKeys.h"

#include <QKeyEvent>
#include <utility>

namespace wigglet {

namespace {

bool isControlCharacter(const QString& text) {
    return text.size() == 1 && (text[0].unicode() < 0x20 || text[0].unicode() == 0x7f);
}

// Control held turns a letter's text into a control character; the key still names the letter.
std::optional<std::string> charactersIgnoringModifiers(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const int key = event.key();
    if (isControlCharacter(text) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        const QChar letter(key);
        return QString(event.modifiers() & Qt::ShiftModifier ? letter : letter.toLower())
            .toStdString();
    }
    return text.toStdString();
}

} // namespace

std::optional<KeyDown> KeyEventTranslator::toKeyDown(const QKeyEvent& event) {
    const auto code = virtualKeyCode(event.key());
    if (!code)
        return std::nullopt;
    KeyDown keyDown;
    keyDown.keyCode = *code;
    keyDown.characters = charactersIgnoringModifiers(event);
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ShiftModifier)
        keyDown.modifierFlags |= modifierFlag::shift;
    if (modifiers & Qt::ControlModifier)
        keyDown.modifierFlags |= modifierFlag::control;
    if (modifiers & Qt::AltModifier)
        keyDown.modifierFlags |= modifierFlag::option;
    if (modifiers & Qt::MetaModifier)
        keyDown.modifierFlags |= modifierFlag::command;
    if (event.nativeModifiers() & nativeLockMask)
        keyDown.modifierFlags |= modifierFlag::capsLock;
    return keyDown;
}

std::unique_ptr<QKeyEvent> KeyEventTranslator::toQKeyEvent(const KeyDown& keyDown) {
    Qt::KeyboardModifiers modifiers;
    const std::uint64_t flags = keyDown.modifierFlags;
    if (flags & modifierFlag::shift)
        modifiers |= Qt::ShiftModifier;
    if (flags & modifierFlag::control)
        modifiers |= Qt::ControlModifier;
    if (flags & modifierFlag::option)
        modifiers |= Qt::AltModifier;
    if (flags & modifierFlag::command)
        modifiers |= Qt::MetaModifier;
    const quint32 native = flags & modifierFlag::capsLock ? nativeLockMask : 0;
    const QString text = QString::fromStdString(keyDown.characters.value_or(std::string()));
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, qtKeyFor(keyDown.keyCode), modifiers, 0, 0,
                                       native, text);
}

} // namespace wigglet
