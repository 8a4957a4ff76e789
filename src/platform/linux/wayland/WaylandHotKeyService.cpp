#include "platform/linux/wayland/WaylandHotKeyService.h"

#include "platform/ModifierFlags.h"
#include "platform/linux/wayland/EvdevKeyTable.h"

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>
#include <xkbcommon/xkbcommon.h>

namespace wigglet::desktop {

namespace {

// Virtual key codes name US-ANSI positions, so the US layout names their keysyms.
std::string keysymName(std::uint32_t keyCode) {
    const auto evdev = EvdevKeyTable::evdevFor(static_cast<std::uint16_t>(keyCode));
    if (!evdev)
        return {};
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), xkb_context_unref);
    if (!context)
        return {};
    const xkb_rule_names us{"evdev", "pc105", "us", "", ""};
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_keymap_new_from_names(context.get(), &us, XKB_KEYMAP_COMPILE_NO_FLAGS),
        xkb_keymap_unref);
    if (!keymap)
        return {};
    const std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> state(xkb_state_new(keymap.get()),
                                                                       xkb_state_unref);
    // Wayland key codes are evdev codes offset by 8, as in X.
    const xkb_keysym_t sym = xkb_state_key_get_one_sym(state.get(), *evdev + 8);
    char name[64] = {};
    if (sym == XKB_KEY_NoSymbol || xkb_keysym_get_name(sym, name, sizeof name) <= 0)
        return {};
    return name;
}

std::vector<const char*> modifierWords(std::uint32_t carbonModifiers, bool sway) {
    std::vector<const char*> words;
    if (carbonModifiers & carbonModifier::controlKey)
        words.push_back(sway ? "Ctrl" : "CTRL");
    if (carbonModifiers & carbonModifier::shiftKey)
        words.push_back(sway ? "Shift" : "SHIFT");
    if (carbonModifiers & carbonModifier::optionKey)
        words.push_back(sway ? "Mod1" : "ALT");
    if (carbonModifiers & carbonModifier::cmdKey)
        words.push_back(sway ? "Mod4" : "SUPER");
    return words;
}

std::string joined(const std::vector<const char*>& words, const char* separator) {
    std::string text;
    for (const char* word : words)
        text += (text.empty() ? "" : separator) + std::string(word);
    return text;
}

} // namespace

WaylandHotKeyService::WaylandHotKeyService(Compositor compositor) : compositor_(compositor) {}

WaylandHotKeyService::Compositor WaylandHotKeyService::compositorOfSession() {
    if (std::getenv("HYPRLAND_INSTANCE_SIGNATURE"))
        return Compositor::hyprland;
    if (std::getenv("SWAYSOCK"))
        return Compositor::sway;
    return Compositor::other;
}

std::string WaylandHotKeyService::configurationLine(Compositor compositor, std::uint32_t keyCode,
                                                    std::uint32_t carbonModifiers) {
    const std::string key = keysymName(keyCode);
    if (key.empty() || compositor == Compositor::other)
        return {};
    const bool sway = compositor == Compositor::sway;
    const auto modifiers = modifierWords(carbonModifiers, sway);
    if (sway) {
        const std::string held = joined(modifiers, "+");
        return "bindsym " + held + (held.empty() ? "" : "+") + key + " exec wigglet toggle";
    }
    return "bind = " + joined(modifiers, " ") + ", " + key + ", exec, wigglet toggle";
}

std::optional<BindingAdvice>
WaylandHotKeyService::bindingAdvice(std::uint32_t keyCode, std::uint32_t carbonModifiers) const {
    std::string line = configurationLine(compositor_, keyCode, carbonModifiers);
    if (line.empty())
        return BindingAdvice{};
    if (compositor_ == Compositor::sway)
        return BindingAdvice{"sway", "~/.config/sway/config", std::move(line)};
    return BindingAdvice{"Hyprland", "~/.config/hypr/hyprland.conf", std::move(line)};
}

} // namespace wigglet::desktop
