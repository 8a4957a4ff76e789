#include "platform/linux/x11/VirtualKeyTable.h"

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

// Positions as the system's published virtual key code list numbers them.
constexpr std::array keys = {
    Entry{0x00, XK_a},
    Entry{0x01, XK_s},
    Entry{0x02, XK_d},
    Entry{0x03, XK_f},
    Entry{0x04, XK_h},
    Entry{0x05, XK_g},
    Entry{0x06, XK_z},
    Entry{0x07, XK_x},
    Entry{0x08, XK_c},
    Entry{0x09, XK_v},
    Entry{0x0B, XK_b},
    Entry{0x0C, XK_q},
    Entry{0x0D, XK_w},
    Entry{0x0E, XK_e},
    Entry{0x0F, XK_r},
    Entry{0x10, XK_y},
    Entry{0x11, XK_t},
    Entry{0x12, XK_1},
    Entry{0x13, XK_2},
    Entry{0x14, XK_3},
    Entry{0x15, XK_4},
    Entry{0x16, XK_6},
    Entry{0x17, XK_5},
    Entry{0x18, XK_equal},
    Entry{0x19, XK_9},
    Entry{0x1A, XK_7},
    Entry{0x1B, XK_minus},
    Entry{0x1C, XK_8},
    Entry{0x1D, XK_0},
    Entry{0x1E, XK_bracketright},
    Entry{0x1F, XK_o},
    Entry{0x20, XK_u},
    Entry{0x21, XK_bracketleft},
    Entry{0x22, XK_i},
    Entry{0x23, XK_p},
    Entry{0x24, XK_Return},
    Entry{0x25, XK_l},
    Entry{0x26, XK_j},
    Entry{0x27, XK_apostrophe},
    Entry{0x28, XK_k},
    Entry{0x29, XK_semicolon},
    Entry{0x2A, XK_backslash},
    Entry{0x2B, XK_comma},
    Entry{0x2C, XK_slash},
    Entry{0x2D, XK_n},
    Entry{0x2E, XK_m},
    Entry{0x2F, XK_period},
    Entry{0x30, XK_Tab},
    Entry{0x31, XK_space},
    Entry{0x32, XK_grave},
    Entry{0x33, XK_BackSpace},
    Entry{0x35, XK_Escape},
    Entry{0x36, XK_Super_R},
    Entry{0x37, XK_Super_L},
    Entry{0x38, XK_Shift_L},
    Entry{0x39, XK_Caps_Lock},
    Entry{0x3A, XK_Alt_L},
    Entry{0x3B, XK_Control_L},
    Entry{0x3C, XK_Shift_R},
    Entry{0x3D, XK_Alt_R},
    Entry{0x3E, XK_Control_R},
    Entry{0x40, XK_F17},
    Entry{0x41, XK_KP_Decimal},
    Entry{0x43, XK_KP_Multiply},
    Entry{0x45, XK_KP_Add},
    Entry{0x47, XK_Num_Lock},
    Entry{0x48, XF86XK_AudioRaiseVolume},
    Entry{0x49, XF86XK_AudioLowerVolume},
    Entry{0x4A, XF86XK_AudioMute},
    Entry{0x4B, XK_KP_Divide},
    Entry{0x4C, XK_KP_Enter},
    Entry{0x4E, XK_KP_Subtract},
    Entry{0x4F, XK_F18},
    Entry{0x50, XK_F19},
    Entry{0x51, XK_KP_Equal},
    Entry{0x52, XK_KP_0},
    Entry{0x53, XK_KP_1},
    Entry{0x54, XK_KP_2},
    Entry{0x55, XK_KP_3},
    Entry{0x56, XK_KP_4},
    Entry{0x57, XK_KP_5},
    Entry{0x58, XK_KP_6},
    Entry{0x59, XK_KP_7},
    Entry{0x5A, XK_F20},
    Entry{0x5B, XK_KP_8},
    Entry{0x5C, XK_KP_9},
    Entry{0x60, XK_F5},
    Entry{0x61, XK_F6},
    Entry{0x62, XK_F7},
    Entry{0x63, XK_F3},
    Entry{0x64, XK_F8},
    Entry{0x65, XK_F9},
    Entry{0x67, XK_F11},
    Entry{0x69, XK_F13},
    Entry{0x6A, XK_F16},
    Entry{0x6B, XK_F14},
    Entry{0x6D, XK_F10},
    Entry{0x6F, XK_F12},
    Entry{0x71, XK_F15},
    Entry{0x72, XK_Insert},
    Entry{0x73, XK_Home},
    Entry{0x74, XK_Page_Up},
    Entry{0x75, XK_Delete},
    Entry{0x76, XK_F4},
    Entry{0x77, XK_End},
    Entry{0x78, XK_F2},
    Entry{0x79, XK_Page_Down},
    Entry{0x7A, XK_F1},
    Entry{0x7B, XK_Left},
    Entry{0x7C, XK_Right},
    Entry{0x7D, XK_Down},
    Entry{0x7E, XK_Up},
};

// What the same positions produce with Shift on a US layout, read back only.
constexpr std::array shifted = {
    Entry{0x12, XK_exclam},       Entry{0x13, XK_at},         Entry{0x14, XK_numbersign},
    Entry{0x15, XK_dollar},       Entry{0x17, XK_percent},    Entry{0x16, XK_asciicircum},
    Entry{0x1A, XK_ampersand},    Entry{0x1C, XK_asterisk},   Entry{0x19, XK_parenleft},
    Entry{0x1D, XK_parenright},   Entry{0x1B, XK_underscore}, Entry{0x18, XK_plus},
    Entry{0x21, XK_braceleft},    Entry{0x1E, XK_braceright}, Entry{0x2A, XK_bar},
    Entry{0x29, XK_colon},        Entry{0x27, XK_quotedbl},   Entry{0x2B, XK_less},
    Entry{0x2F, XK_greater},      Entry{0x2C, XK_question},   Entry{0x32, XK_asciitilde},
    Entry{0x30, XK_ISO_Left_Tab},
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
