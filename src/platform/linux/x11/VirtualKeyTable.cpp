#include "platform/linux/x11/VirtualKeyTable.h"

#include "platform/VirtualKeys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <algorithm>
#include <array>

namespace wigglet::desktop {

namespace {

struct Entry {
    std::uint16_t virtualKey;
    std::uint32_t keysym;
};

constexpr std::array keys = {
    Entry{virtualKey::ansiA, XK_a},
    Entry{virtualKey::ansiS, XK_s},
    Entry{virtualKey::ansiD, XK_d},
    Entry{virtualKey::ansiF, XK_f},
    Entry{virtualKey::ansiH, XK_h},
    Entry{virtualKey::ansiG, XK_g},
    Entry{virtualKey::ansiZ, XK_z},
    Entry{virtualKey::ansiX, XK_x},
    Entry{virtualKey::ansiC, XK_c},
    Entry{virtualKey::ansiV, XK_v},
    Entry{virtualKey::ansiB, XK_b},
    Entry{virtualKey::ansiQ, XK_q},
    Entry{virtualKey::ansiW, XK_w},
    Entry{virtualKey::ansiE, XK_e},
    Entry{virtualKey::ansiR, XK_r},
    Entry{virtualKey::ansiY, XK_y},
    Entry{virtualKey::ansiT, XK_t},
    Entry{virtualKey::ansi1, XK_1},
    Entry{virtualKey::ansi2, XK_2},
    Entry{virtualKey::ansi3, XK_3},
    Entry{virtualKey::ansi4, XK_4},
    Entry{virtualKey::ansi6, XK_6},
    Entry{virtualKey::ansi5, XK_5},
    Entry{virtualKey::ansiEqual, XK_equal},
    Entry{virtualKey::ansi9, XK_9},
    Entry{virtualKey::ansi7, XK_7},
    Entry{virtualKey::ansiMinus, XK_minus},
    Entry{virtualKey::ansi8, XK_8},
    Entry{virtualKey::ansi0, XK_0},
    Entry{virtualKey::ansiRightBracket, XK_bracketright},
    Entry{virtualKey::ansiO, XK_o},
    Entry{virtualKey::ansiU, XK_u},
    Entry{virtualKey::ansiLeftBracket, XK_bracketleft},
    Entry{virtualKey::ansiI, XK_i},
    Entry{virtualKey::ansiP, XK_p},
    Entry{virtualKey::returnKey, XK_Return},
    Entry{virtualKey::ansiL, XK_l},
    Entry{virtualKey::ansiJ, XK_j},
    Entry{virtualKey::ansiQuote, XK_apostrophe},
    Entry{virtualKey::ansiK, XK_k},
    Entry{virtualKey::ansiSemicolon, XK_semicolon},
    Entry{virtualKey::ansiBackslash, XK_backslash},
    Entry{virtualKey::ansiComma, XK_comma},
    Entry{virtualKey::ansiSlash, XK_slash},
    Entry{virtualKey::ansiN, XK_n},
    Entry{virtualKey::ansiM, XK_m},
    Entry{virtualKey::ansiPeriod, XK_period},
    Entry{virtualKey::tab, XK_Tab},
    Entry{virtualKey::space, XK_space},
    Entry{virtualKey::ansiGrave, XK_grave},
    Entry{virtualKey::deleteKey, XK_BackSpace},
    Entry{virtualKey::escape, XK_Escape},
    Entry{virtualKey::rightCommand, XK_Super_R},
    Entry{virtualKey::command, XK_Super_L},
    Entry{virtualKey::shift, XK_Shift_L},
    Entry{virtualKey::capsLock, XK_Caps_Lock},
    Entry{virtualKey::option, XK_Alt_L},
    Entry{virtualKey::control, XK_Control_L},
    Entry{virtualKey::rightShift, XK_Shift_R},
    Entry{virtualKey::rightOption, XK_Alt_R},
    Entry{virtualKey::rightControl, XK_Control_R},
    Entry{virtualKey::f17, XK_F17},
    Entry{virtualKey::keypadDecimal, XK_KP_Decimal},
    Entry{virtualKey::keypadMultiply, XK_KP_Multiply},
    Entry{virtualKey::keypadPlus, XK_KP_Add},
    Entry{virtualKey::keypadClear, XK_Num_Lock},
    Entry{virtualKey::volumeUp, XF86XK_AudioRaiseVolume},
    Entry{virtualKey::volumeDown, XF86XK_AudioLowerVolume},
    Entry{virtualKey::mute, XF86XK_AudioMute},
    Entry{virtualKey::keypadDivide, XK_KP_Divide},
    Entry{virtualKey::keypadEnter, XK_KP_Enter},
    Entry{virtualKey::keypadMinus, XK_KP_Subtract},
    Entry{virtualKey::f18, XK_F18},
    Entry{virtualKey::f19, XK_F19},
    Entry{virtualKey::keypadEquals, XK_KP_Equal},
    Entry{virtualKey::keypad0, XK_KP_0},
    Entry{virtualKey::keypad1, XK_KP_1},
    Entry{virtualKey::keypad2, XK_KP_2},
    Entry{virtualKey::keypad3, XK_KP_3},
    Entry{virtualKey::keypad4, XK_KP_4},
    Entry{virtualKey::keypad5, XK_KP_5},
    Entry{virtualKey::keypad6, XK_KP_6},
    Entry{virtualKey::keypad7, XK_KP_7},
    Entry{virtualKey::f20, XK_F20},
    Entry{virtualKey::keypad8, XK_KP_8},
    Entry{virtualKey::keypad9, XK_KP_9},
    Entry{virtualKey::f5, XK_F5},
    Entry{virtualKey::f6, XK_F6},
    Entry{virtualKey::f7, XK_F7},
    Entry{virtualKey::f3, XK_F3},
    Entry{virtualKey::f8, XK_F8},
    Entry{virtualKey::f9, XK_F9},
    Entry{virtualKey::f11, XK_F11},
    Entry{virtualKey::f13, XK_F13},
    Entry{virtualKey::f16, XK_F16},
    Entry{virtualKey::f14, XK_F14},
    Entry{virtualKey::f10, XK_F10},
    Entry{virtualKey::f12, XK_F12},
    Entry{virtualKey::f15, XK_F15},
    Entry{virtualKey::help, XK_Insert},
    Entry{virtualKey::home, XK_Home},
    Entry{virtualKey::pageUp, XK_Page_Up},
    Entry{virtualKey::forwardDelete, XK_Delete},
    Entry{virtualKey::f4, XK_F4},
    Entry{virtualKey::end, XK_End},
    Entry{virtualKey::f2, XK_F2},
    Entry{virtualKey::pageDown, XK_Page_Down},
    Entry{virtualKey::f1, XK_F1},
    Entry{virtualKey::leftArrow, XK_Left},
    Entry{virtualKey::rightArrow, XK_Right},
    Entry{virtualKey::downArrow, XK_Down},
    Entry{virtualKey::upArrow, XK_Up},
};

// What the same positions produce with Shift on a US layout, read back only.
constexpr std::array shifted = {
    Entry{virtualKey::ansi1, XK_exclam},
    Entry{virtualKey::ansi2, XK_at},
    Entry{virtualKey::ansi3, XK_numbersign},
    Entry{virtualKey::ansi4, XK_dollar},
    Entry{virtualKey::ansi5, XK_percent},
    Entry{virtualKey::ansi6, XK_asciicircum},
    Entry{virtualKey::ansi7, XK_ampersand},
    Entry{virtualKey::ansi8, XK_asterisk},
    Entry{virtualKey::ansi9, XK_parenleft},
    Entry{virtualKey::ansi0, XK_parenright},
    Entry{virtualKey::ansiMinus, XK_underscore},
    Entry{virtualKey::ansiEqual, XK_plus},
    Entry{virtualKey::ansiLeftBracket, XK_braceleft},
    Entry{virtualKey::ansiRightBracket, XK_braceright},
    Entry{virtualKey::ansiBackslash, XK_bar},
    Entry{virtualKey::ansiSemicolon, XK_colon},
    Entry{virtualKey::ansiQuote, XK_quotedbl},
    Entry{virtualKey::ansiComma, XK_less},
    Entry{virtualKey::ansiPeriod, XK_greater},
    Entry{virtualKey::ansiSlash, XK_question},
    Entry{virtualKey::ansiGrave, XK_asciitilde},
    Entry{virtualKey::tab, XK_ISO_Left_Tab},
};

std::optional<std::uint16_t> find(const auto& table, std::uint32_t keysym) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [keysym](const Entry& e) { return e.keysym == keysym; });
    if (it == table.end())
        return std::nullopt;
    return it->virtualKey;
}

} // namespace

std::optional<std::uint32_t> VirtualKeyTable::keysymFor(std::uint16_t virtualKey) {
    const auto it = std::find_if(keys.begin(), keys.end(), [virtualKey](const Entry& e) {
        return e.virtualKey == virtualKey;
    });
    if (it == keys.end())
        return std::nullopt;
    return it->keysym;
}

std::optional<std::uint16_t> VirtualKeyTable::virtualKeyFor(std::uint32_t keysym) {
    if (keysym >= XK_A && keysym <= XK_Z)
        keysym += XK_a - XK_A;
    if (auto key = find(keys, keysym))
        return key;
    return find(shifted, keysym);
}

} // namespace wigglet::desktop
