#include "platform/linux/gsettings/GnomeCustomShortcut.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace wigglet::desktop {

namespace {

constexpr int kToolTimeoutMs = 5000;

QString entry() {
    return QString::fromLatin1(GnomeCustomShortcut::entrySchema) + ':' +
           QString::fromLatin1(GnomeCustomShortcut::entryPath);
}

bool desktopIsGnome() {
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    return desktops && QString::fromLocal8Bit(desktops).split(':').contains(QStringLiteral("GNOME"),
                                                                            Qt::CaseInsensitive);
}

// The keysym names of the keys a shortcut may use, by position on a US keyboard.
constexpr std::pair<std::uint16_t, const char*> kKeyNames[] = {
    {virtualKey::ansiA, "a"},
    {virtualKey::ansiB, "b"},
    {virtualKey::ansiC, "c"},
    {virtualKey::ansiD, "d"},
    {virtualKey::ansiE, "e"},
    {virtualKey::ansiF, "f"},
    {virtualKey::ansiG, "g"},
    {virtualKey::ansiH, "h"},
    {virtualKey::ansiI, "i"},
    {virtualKey::ansiJ, "j"},
    {virtualKey::ansiK, "k"},
    {virtualKey::ansiL, "l"},
    {virtualKey::ansiM, "m"},
    {virtualKey::ansiN, "n"},
    {virtualKey::ansiO, "o"},
    {virtualKey::ansiP, "p"},
    {virtualKey::ansiQ, "q"},
    {virtualKey::ansiR, "r"},
    {virtualKey::ansiS, "s"},
    {virtualKey::ansiT, "t"},
    {virtualKey::ansiU, "u"},
    {virtualKey::ansiV, "v"},
    {virtualKey::ansiW, "w"},
    {virtualKey::ansiX, "x"},
    {virtualKey::ansiY, "y"},
    {virtualKey::ansiZ, "z"},
    {virtualKey::ansi0, "0"},
    {virtualKey::ansi1, "1"},
    {virtualKey::ansi2, "2"},
    {virtualKey::ansi3, "3"},
    {virtualKey::ansi4, "4"},
    {virtualKey::ansi5, "5"},
    {virtualKey::ansi6, "6"},
    {virtualKey::ansi7, "7"},
    {virtualKey::ansi8, "8"},
    {virtualKey::ansi9, "9"},
    {virtualKey::ansiMinus, "minus"},
    {virtualKey::ansiEqual, "equal"},
    {virtualKey::ansiLeftBracket, "bracketleft"},
    {virtualKey::ansiRightBracket, "bracketright"},
    {virtualKey::ansiSemicolon, "semicolon"},
    {virtualKey::ansiQuote, "apostrophe"},
    {virtualKey::ansiBackslash, "backslash"},
    {virtualKey::ansiComma, "comma"},
    {virtualKey::ansiPeriod, "period"},
    {virtualKey::ansiSlash, "slash"},
    {virtualKey::ansiGrave, "grave"},
    {virtualKey::space, "space"},
    {virtualKey::tab, "Tab"},
    {virtualKey::returnKey, "Return"},
    {virtualKey::escape, "Escape"},
    {virtualKey::deleteKey, "BackSpace"},
    {virtualKey::forwardDelete, "Delete"},
    {virtualKey::home, "Home"},
    {virtualKey::end, "End"},
    {virtualKey::pageUp, "Page_Up"},
    {virtualKey::pageDown, "Page_Down"},
    {virtualKey::leftArrow, "Left"},
    {virtualKey::rightArrow, "Right"},
    {virtualKey::upArrow, "Up"},
    {virtualKey::downArrow, "Down"},
    {virtualKey::f1, "F1"},
    {virtualKey::f2, "F2"},
    {virtualKey::f3, "F3"},
    {virtualKey::f4, "F4"},
    {virtualKey::f5, "F5"},
    {virtualKey::f6, "F6"},
    {virtualKey::f7, "F7"},
    {virtualKey::f8, "F8"},
    {virtualKey::f9, "F9"},
    {virtualKey::f10, "F10"},
    {virtualKey::f11, "F11"},
    {virtualKey::f12, "F12"},
};

} // namespace

std::optional<std::string> GnomeCustomShortcut::acceleratorFor(std::uint32_t keyCode,
                                                               std::uint32_t carbonFlags) {
    const auto* named = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                     [keyCode](const auto& key) { return key.first == keyCode; });
    if (named == std::end(kKeyNames))
        return std::nullopt;
    std::string accelerator;
    for (const auto& [flag, name] : {std::pair{carbonModifier::controlKey, "<Control>"},
                                     std::pair{carbonModifier::shiftKey, "<Shift>"},
                                     std::pair{carbonModifier::optionKey, "<Alt>"},
                                     std::pair{carbonModifier::cmdKey, "<Super>"}})
        if (carbonFlags & flag)
            accelerator += name;
    return accelerator + named->second;
}

GnomeCustomShortcut::GnomeCustomShortcut(std::string name, std::string command)
    : name_(std::move(name)), command_(std::move(command)) {}

bool GnomeCustomShortcut::available() {
    if (!desktopIsGnome() || QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        return false;
    const auto keys = gsettings({QStringLiteral("list-keys"), QString::fromLatin1(listSchema)});
    return keys && keys->split('\n').contains(QStringLiteral("custom-keybindings"));
}

std::optional<std::string> GnomeCustomShortcut::binding() {
    const auto paths = listed();
    if (!paths || !paths->contains(QString::fromLatin1(entryPath)))
        return std::nullopt;
    const auto value = gsettings({QStringLiteral("get"), entry(), QStringLiteral("binding")});
    const auto strings = value ? stringsOf(*value) : std::nullopt;
    if (!strings || strings->size() != 1)
        return std::nullopt;
    return strings->front().toStdString();
}

bool GnomeCustomShortcut::add(std::uint32_t keyCode, std::uint32_t carbonFlags) {
    const auto accelerator = acceleratorFor(keyCode, carbonFlags);
    const auto paths = accelerator ? listed() : std::nullopt;
    if (!paths)
        return false;
    // The entry is complete before GNOME is told of it, so that it never runs half a command.
    if (!setEntry("name", QString::fromStdString(name_)) ||
        !setEntry("command", QString::fromStdString(command_)) ||
        !setEntry("binding", QString::fromStdString(*accelerator)))
        return false;
    if (paths->contains(QString::fromLatin1(entryPath)))
        return true;
    return setListed(*paths + QStringList{QString::fromLatin1(entryPath)});
}

bool GnomeCustomShortcut::remove() {
    auto paths = listed();
    if (!paths)
        return false;
    paths->removeAll(QString::fromLatin1(entryPath));
    return setListed(*paths) &&
           gsettings({QStringLiteral("reset-recursively"), entry()}).has_value();
}

std::optional<QStringList> GnomeCustomShortcut::listed() {
    const auto value = gsettings({QStringLiteral("get"), QString::fromLatin1(listSchema),
                                  QStringLiteral("custom-keybindings")});
    return value ? stringsOf(*value) : std::nullopt;
}

bool GnomeCustomShortcut::setListed(const QStringList& paths) {
    QStringList items;
    for (const QString& path : paths)
        items << quoted(path);
    // An empty array has no element to tell its type.
    const QString value = items.isEmpty() ? QStringLiteral("@as []") : '[' + items.join(", ") + ']';
    return gsettings({QStringLiteral("set"), QString::fromLatin1(listSchema),
                      QStringLiteral("custom-keybindings"), value})
        .has_value();
}

bool GnomeCustomShortcut::setEntry(const char* key, const QString& value) {
    return gsettings({QStringLiteral("set"), entry(), QString::fromLatin1(key), quoted(value)})
        .has_value();
}

std::optional<QString> GnomeCustomShortcut::gsettings(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("gsettings"), arguments);
    if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString GnomeCustomShortcut::quoted(const QString& text) {
    QString escaped = text;
    escaped.replace('\\', QStringLiteral("\\\\")).replace('\'', QStringLiteral("\\'"));
    return '\'' + escaped + '\'';
}

// The strings of a GVariant text: 'a', "b's", ['x', 'y'] or @as []; none when a quote is
// left open.
std::optional<QStringList> GnomeCustomShortcut::stringsOf(const QString& variantText) {
    QStringList strings;
    for (qsizetype i = 0; i < variantText.size(); ++i) {
        const QChar quote = variantText[i];
        if (quote != '\'' && quote != '"')
            continue;
        QString text;
        for (++i; i < variantText.size() && variantText[i] != quote; ++i)
            text += variantText[i] == '\\' && i + 1 < variantText.size() ? variantText[++i]
                                                                         : variantText[i];
        if (i >= variantText.size())
            return std::nullopt;
        strings << text;
    }
    return strings;
}

} // namespace wigglet::desktop
