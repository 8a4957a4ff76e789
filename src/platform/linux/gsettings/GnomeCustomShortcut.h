#pragma once

#include "platform/CustomShortcutSettings.h"

#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>

namespace wigglet::desktop {

// Wigglet's entry among GNOME's custom keyboard shortcuts (Settings → Keyboard → Custom
// Shortcuts): a relocatable media-keys custom-keybinding at a path of its own, listed in the
// media-keys custom-keybindings array. Written through the `gsettings` tool, so that nothing
// of GLib is linked for one button.
class GnomeCustomShortcut final : public CustomShortcutSettings {
  public:
    static constexpr const char* listSchema = "org.gnome.settings-daemon.plugins.media-keys";
    static constexpr const char* entrySchema =
        "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
    static constexpr const char* entryPath =
        "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/wigglet/";

    // COMMAND is what the shortcut runs; NAME is how GNOME's settings list it.
    GnomeCustomShortcut(std::string name, std::string command);

    // Whether the desktop is GNOME and its schema is installed.
    static bool available();

    std::optional<std::string> binding() override;
    bool add(std::uint32_t keyCode, std::uint32_t carbonFlags) override;

    // GNOME's notation of a shortcut: <Control><Shift><Alt><Super> then the keysym's name.
    static std::optional<std::string> acceleratorFor(std::uint32_t keyCode,
                                                     std::uint32_t carbonFlags);
    bool remove() override;

    // A GVariant text of a string, and back; exposed for the tests of odd names.
    static QString quoted(const QString& text);
    static std::optional<QStringList> stringsOf(const QString& variantText);

  private:
    static std::optional<QString> gsettings(const QStringList& arguments);
    std::optional<QStringList> listed();
    bool setListed(const QStringList& paths);
    bool setEntry(const char* key, const QString& value);

    std::string name_;
    std::string command_;
};

} // namespace wigglet::desktop
