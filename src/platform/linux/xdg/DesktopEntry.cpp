#include "platform/linux/xdg/DesktopEntry.h"

#include <fstream>
#include <sstream>

namespace wigglet::desktop {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool isTrue(const std::optional<std::string>& value) {
    return value && (*value == "true" || *value == "1");
}

bool isFalse(const std::optional<std::string>& value) {
    return value && (*value == "false" || *value == "0");
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::read(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

DesktopEntry DesktopEntry::parse(const std::string& text) {
    DesktopEntry entry;
    std::istringstream in(text);
    bool inGroup = false;
    for (std::string line; std::getline(in, line);) {
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string::npos)
            continue;
        entry.values_[trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
    }
    return entry;
}

std::optional<std::string> DesktopEntry::value(const std::string& key) const {
    const auto it = values_.find(key);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

bool DesktopEntry::startsAtLogin() const {
    return !isTrue(value("Hidden")) && !isFalse(value("X-GNOME-Autostart-enabled"));
}

std::string DesktopEntry::text() const {
    std::string text = "[Desktop Entry]\n";
    for (const auto& [key, value] : values_)
        text += key + "=" + value + "\n";
    return text;
}

std::string DesktopEntry::execArgument(const std::string& argument) {
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string escaped;
    bool needsQuotes = argument.empty();
    for (const char c : argument) {
        needsQuotes = needsQuotes || reserved.find(c) != std::string::npos;
        // A line break cannot stand in a value; the string escape brings it back.
        if (c == '\n' || c == '\t' || c == '\r') {
            escaped += c == '\n' ? "\\n" : c == '\t' ? "\\t" : "\\r";
            continue;
        }
        // Inside quotes these four take a backslash; every backslash is then doubled once more
        // because the whole value is itself an escaped string.
        if (c == '"' || c == '`' || c == '$')
            escaped += "\\\\";
        else if (c == '\\')
            escaped += "\\\\\\";
        if (c == '%')
            escaped += '%';
        escaped += c;
    }
    return needsQuotes ? "\"" + escaped + "\"" : escaped;
}

} // namespace wigglet::desktop
