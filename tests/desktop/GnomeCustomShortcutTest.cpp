#include "platform/linux/gsettings/GnomeCustomShortcut.h"

#include "ScopedVariable.h"
#include "TemporaryFolder.h"
#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace wigglet;
using namespace wigglet::desktop;
using namespace wigglet::testing;

namespace {

constexpr const char* others = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/"
                               "custom0/";

// What GNOME's own settings would read, through a gsettings of their own.
QString read(const QString& schema, const char* key) {
    QProcess tool;
    tool.start("gsettings", {"get", schema, key});
    tool.waitForFinished();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString listed() {
    return read(GnomeCustomShortcut::listSchema, "custom-keybindings");
}

QString entryKey(const char* key) {
    return read(QString(GnomeCustomShortcut::entrySchema) + ":" + GnomeCustomShortcut::entryPath,
                key);
}

// GSettings in a file of the test's own: the keyfile backend, which every gsettings process
// shares, unlike the memory one.
struct GnomeSettings {
    TemporaryFolder folder;
    ScopedVariable backend{"GSETTINGS_BACKEND", "keyfile"};
    ScopedVariable config{"XDG_CONFIG_HOME", folder.path().c_str()};
    ScopedVariable desktop{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"};
};

} // namespace

TEST(GnomeCustomShortcut, AddsItsOwnEntryBesideTheUsersRemovesOnlyItAndIsOnlyOfferedOnGnome) {
    GnomeSettings settings;
    QProcess::execute("gsettings", {"set", GnomeCustomShortcut::listSchema, "custom-keybindings",
                                    QString("['%1']").arg(others)});
    ASSERT_TRUE(GnomeCustomShortcut::available());
    GnomeCustomShortcut shortcut("Wigglet's toggle", "/opt/wig glet/wigglet toggle");
    EXPECT_EQ(shortcut.binding(), std::nullopt);

    ASSERT_TRUE(
        shortcut.add(virtualKey::ansiS, carbonModifier::cmdKey | carbonModifier::optionKey));
    EXPECT_EQ(listed(), QString("['%1', '%2']").arg(others, GnomeCustomShortcut::entryPath));
    EXPECT_EQ(entryKey("binding"), "'<Alt><Super>s'");
    EXPECT_EQ(entryKey("command"), "'/opt/wig glet/wigglet toggle'");
    EXPECT_EQ(entryKey("name"), "\"Wigglet's toggle\"");

    // New keys replace the old ones in the same entry.
    ASSERT_TRUE(
        shortcut.add(virtualKey::f5, carbonModifier::controlKey | carbonModifier::shiftKey));
    EXPECT_EQ(shortcut.binding(), "<Control><Shift>F5");
    EXPECT_EQ(listed().count("wigglet/"), 1);

    // A key GNOME has no name for writes nothing.
    EXPECT_FALSE(shortcut.add(virtualKey::keypadClear, carbonModifier::cmdKey));
    EXPECT_EQ(shortcut.binding(), "<Control><Shift>F5");

    ASSERT_TRUE(shortcut.remove());
    EXPECT_EQ(listed(), QString("['%1']").arg(others));
    EXPECT_EQ(entryKey("binding"), "''");
    EXPECT_EQ(shortcut.binding(), std::nullopt);

    ScopedVariable kde("XDG_CURRENT_DESKTOP", "KDE");
    EXPECT_FALSE(GnomeCustomShortcut::available());
}
