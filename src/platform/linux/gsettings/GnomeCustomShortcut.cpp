#include "platform/linux/gsettings/GnomeCustomShortcut.h"

#include "platform/ModifierFlags.h"
#include "platform/linux/KeysymNames.h"

#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>
#include <utility>

namespace wigglet::desktop {

namespace {

constexpr int kGsettingsTimeoutMs = 5000;

QString gnomeEntry() {
    return QString::fromLatin1(GnomeCustomShortcut::entrySchema) + ':' +
           QString::fromLatin1(GnomeCustomShortcut::entryPath);
}

bool desktopIsGnomeShell() {
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    return desktops && QString::fromLocal8Bit(desktops).split(':').contains(QStringLiteral("GNOME"),
                                                                            Qt::CaseInsensitive);
}

} // namespace

std::optional<std::string> GnomeCustomShortcut::acceleratorFor(std::uint32_t keyCode,
                                                               std::uint32_t carbonFlags) {
    const auto named = KeysymNames::nameOf(keyCode);
    if (!named)
        return std::nullopt;
    std::string accelerator;
    for (const auto& [flag, name] : {std::pair{carbonModifier::controlKey, "<Control>"},
                                     std::pair{carbonModifier::shiftKey, "<Shift>"},
                                     std::pair{carbonModifier::optionKey, "<Alt>"},
                                     std::pair{carbonModifier::cmdKey, "<Super>"}})
        if (carbonFlags & flag)
            accelerator += name;
    return accelerator + *named;
}

GnomeCustomShortcut::GnomeCustomShortcut(std::string name, std::string command)
    : name_(std::move(name)), command_(std::move(command)) {}

bool GnomeCustomShortcut::available() {
    if (!desktopIsGnomeShell() ||
        QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        return false;
    const auto keys = gsettings({QStringLiteral("list-keys"), QString::fromLatin1(listSchema)});
    return keys && keys->split('\n').contains(QStringLiteral("custom-keybindings"));
}

std::optional<std::string> GnomeCustomShortcut::binding() {
    const auto paths = listed();
    if (!paths || !paths->contains(QString::fromLatin1(entryPath)))
        return std::nullopt;
    const auto value = gsettings({QStringLiteral("get"), gnomeEntry(), QStringLiteral("binding")});
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
           gsettings({QStringLiteral("reset-recursively"), gnomeEntry()}).has_value();
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
    return gsettings({QStringLiteral("set"), gnomeEntry(), QString::fromLatin1(key), quoted(value)})
        .has_value();
}

std::optional<QString> GnomeCustomShortcut::gsettings(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("gsettings"), arguments);
    if (!tool.waitForFinished(kGsettingsTimeoutMs) || tool.exitStatus() != QProcess::NormalExit ||
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
