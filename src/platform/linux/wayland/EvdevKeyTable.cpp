#include "platform/linux/wayland/EvdevKeyTable.h"

#include <algorithm>
#include <array>
#include <linux/input-event-codes.h>

namespace wigglet::desktop {

namespace {

struct Entry {
    std::uint16_t virtualKey;
    std::uint32_t evdev;
};

// Positions as the system's published virtual key code list numbers them.
constexpr std::array keys = {
    Entry{0x00, KEY_A},          Entry{0x01, KEY_S},          Entry{0x02, KEY_D},
    Entry{0x03, KEY_F},          Entry{0x04, KEY_H},          Entry{0x05, KEY_G},
    Entry{0x06, KEY_Z},          Entry{0x07, KEY_X},          Entry{0x08, KEY_C},
    Entry{0x09, KEY_V},          Entry{0x0B, KEY_B},          Entry{0x0C, KEY_Q},
    Entry{0x0D, KEY_W},          Entry{0x0E, KEY_E},          Entry{0x0F, KEY_R},
    Entry{0x10, KEY_Y},          Entry{0x11, KEY_T},          Entry{0x12, KEY_1},
    Entry{0x13, KEY_2},          Entry{0x14, KEY_3},          Entry{0x15, KEY_4},
    Entry{0x16, KEY_6},          Entry{0x17, KEY_5},          Entry{0x18, KEY_EQUAL},
    Entry{0x19, KEY_9},          Entry{0x1A, KEY_7},          Entry{0x1B, KEY_MINUS},
    Entry{0x1C, KEY_8},          Entry{0x1D, KEY_0},          Entry{0x1E, KEY_RIGHTBRACE},
    Entry{0x1F, KEY_O},          Entry{0x20, KEY_U},          Entry{0x21, KEY_LEFTBRACE},
    Entry{0x22, KEY_I},          Entry{0x23, KEY_P},          Entry{0x24, KEY_ENTER},
    Entry{0x25, KEY_L},          Entry{0x26, KEY_J},          Entry{0x27, KEY_APOSTROPHE},
    Entry{0x28, KEY_K},          Entry{0x29, KEY_SEMICOLON},  Entry{0x2A, KEY_BACKSLASH},
    Entry{0x2B, KEY_COMMA},      Entry{0x2C, KEY_SLASH},      Entry{0x2D, KEY_N},
    Entry{0x2E, KEY_M},          Entry{0x2F, KEY_DOT},        Entry{0x30, KEY_TAB},
    Entry{0x31, KEY_SPACE},      Entry{0x32, KEY_GRAVE},      Entry{0x33, KEY_BACKSPACE},
    Entry{0x35, KEY_ESC},        Entry{0x36, KEY_RIGHTMETA},  Entry{0x37, KEY_LEFTMETA},
    Entry{0x38, KEY_LEFTSHIFT},  Entry{0x39, KEY_CAPSLOCK},   Entry{0x3A, KEY_LEFTALT},
    Entry{0x3B, KEY_LEFTCTRL},   Entry{0x3C, KEY_RIGHTSHIFT}, Entry{0x3D, KEY_RIGHTALT},
    Entry{0x3E, KEY_RIGHTCTRL},  Entry{0x40, KEY_F17},        Entry{0x41, KEY_KPDOT},
    Entry{0x43, KEY_KPASTERISK}, Entry{0x45, KEY_KPPLUS},     Entry{0x47, KEY_NUMLOCK},
    Entry{0x48, KEY_VOLUMEUP},   Entry{0x49, KEY_VOLUMEDOWN}, Entry{0x4A, KEY_MUTE},
    Entry{0x4B, KEY_KPSLASH},    Entry{0x4C, KEY_KPENTER},    Entry{0x4E, KEY_KPMINUS},
    Entry{0x4F, KEY_F18},        Entry{0x50, KEY_F19},        Entry{0x51, KEY_KPEQUAL},
    Entry{0x52, KEY_KP0},        Entry{0x53, KEY_KP1},        Entry{0x54, KEY_KP2},
    Entry{0x55, KEY_KP3},        Entry{0x56, KEY_KP4},        Entry{0x57, KEY_KP5},
    Entry{0x58, KEY_KP6},        Entry{0x59, KEY_KP7},        Entry{0x5A, KEY_F20},
    Entry{0x5B, KEY_KP8},        Entry{0x5C, KEY_KP9},        Entry{0x60, KEY_F5},
    Entry{0x61, KEY_F6},         Entry{0x62, KEY_F7},         Entry{0x63, KEY_F3},
    Entry{0x64, KEY_F8},         Entry{0x65, KEY_F9},         Entry{0x67, KEY_F11},
    Entry{0x69, KEY_F13},        Entry{0x6A, KEY_F16},        Entry{0x6B, KEY_F14},
    Entry{0x6D, KEY_F10},        Entry{0x6F, KEY_F12},        Entry{0x71, KEY_F15},
    Entry{0x72, KEY_INSERT},     Entry{0x73, KEY_HOME},       Entry{0x74, KEY_PAGEUP},
    Entry{0x75, KEY_DELETE},     Entry{0x76, KEY_F4},         Entry{0x77, KEY_END},
    Entry{0x78, KEY_F2},         Entry{0x79, KEY_PAGEDOWN},   Entry{0x7A, KEY_F1},
    Entry{0x7B, KEY_LEFT},       Entry{0x7C, KEY_RIGHT},      Entry{0x7D, KEY_DOWN},
    Entry{0x7E, KEY_UP},
};

} // namespace

std::optional<std::uint32_t> EvdevKeyTable::evdevFor(std::uint16_t virtualKey) {
    const auto it = std::find_if(keys.begin(), keys.end(), [virtualKey](const Entry& e) {
        return e.virtualKey == virtualKey;
    });
    if (it == keys.end())
        return std::nullopt;
    return it->evdev;
}

} // namespace wigglet::desktop
