#include "platform/linux/KeysymNames.h"

#include "platform/VirtualKeys.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace wigglet::desktop {

namespace {

// The keysym names of the keys a shortcut may use, by position on a US keyboard.
constexpr std::pair<std::uint16_t, const char*> kKeysymNames[] = {
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

std::optional<std::string> KeysymNames::nameOf(std::uint32_t virtualKey) {
    const auto* named =
        std::find_if(std::begin(kKeysymNames), std::end(kKeysymNames),
                     [virtualKey](const auto& key) { return key.first == virtualKey; });
    if (named == std::end(kKeysymNames))
        return std::nullopt;
    return std::string(named->second);
}

} // namespace wigglet::desktop
