#pragma once

#include "platform/VirtualKeys.h"

#include <Qt>
#include <cstdint>
#include <optional>
#include <utility>

namespace wigglet {

// Qt key and virtual key code by US-ANSI position. The shifted symbols that X11 reports as
// keys of their own follow their unshifted key.
inline constexpr std::pair<int, std::uint16_t> qtKeys[] = {
    {Qt::Key_A, virtualKey::ansiA},
    {Qt::Key_S, virtualKey::ansiS},
    {Qt::Key_D, virtualKey::ansiD},
    {Qt::Key_F, virtualKey::ansiF},
    {Qt::Key_H, virtualKey::ansiH},
    {Qt::Key_G, virtualKey::ansiG},
    {Qt::Key_Z, virtualKey::ansiZ},
    {Qt::Key_X, virtualKey::ansiX},
    {Qt::Key_C, virtualKey::ansiC},
    {Qt::Key_V, virtualKey::ansiV},
    {Qt::Key_B, virtualKey::ansiB},
    {Qt::Key_Q, virtualKey::ansiQ},
    {Qt::Key_W, virtualKey::ansiW},
    {Qt::Key_E, virtualKey::ansiE},
    {Qt::Key_R, virtualKey::ansiR},
    {Qt::Key_Y, virtualKey::ansiY},
    {Qt::Key_T, virtualKey::ansiT},
    {Qt::Key_1, virtualKey::ansi1},
    {Qt::Key_2, virtualKey::ansi2},
    {Qt::Key_3, virtualKey::ansi3},
    {Qt::Key_4, virtualKey::ansi4},
    {Qt::Key_6, virtualKey::ansi6},
    {Qt::Key_5, virtualKey::ansi5},
    {Qt::Key_Equal, virtualKey::ansiEqual},
    {Qt::Key_9, virtualKey::ansi9},
    {Qt::Key_7, virtualKey::ansi7},
    {Qt::Key_Minus, virtualKey::ansiMinus},
    {Qt::Key_8, virtualKey::ansi8},
    {Qt::Key_0, virtualKey::ansi0},
    {Qt::Key_BracketRight, virtualKey::ansiRightBracket},
    {Qt::Key_O, virtualKey::ansiO},
    {Qt::Key_U, virtualKey::ansiU},
    {Qt::Key_BracketLeft, virtualKey::ansiLeftBracket},
    {Qt::Key_I, virtualKey::ansiI},
    {Qt::Key_P, virtualKey::ansiP},
    {Qt::Key_Return, virtualKey::returnKey},
    {Qt::Key_L, virtualKey::ansiL},
    {Qt::Key_J, virtualKey::ansiJ},
    {Qt::Key_Apostrophe, virtualKey::ansiQuote},
    {Qt::Key_K, virtualKey::ansiK},
    {Qt::Key_Semicolon, virtualKey::ansiSemicolon},
    {Qt::Key_Backslash, virtualKey::ansiBackslash},
    {Qt::Key_Comma, virtualKey::ansiComma},
    {Qt::Key_Slash, virtualKey::ansiSlash},
    {Qt::Key_N, virtualKey::ansiN},
    {Qt::Key_M, virtualKey::ansiM},
    {Qt::Key_Period, virtualKey::ansiPeriod},
    {Qt::Key_Tab, virtualKey::tab},
    {Qt::Key_Space, virtualKey::space},
    {Qt::Key_QuoteLeft, virtualKey::ansiGrave},
    {Qt::Key_Backspace, virtualKey::deleteKey},
    {Qt::Key_Escape, virtualKey::escape},
    {Qt::Key_F17, virtualKey::f17},
    {Qt::Key_F18, virtualKey::f18},
    {Qt::Key_F19, virtualKey::f19},
    {Qt::Key_F20, virtualKey::f20},
    {Qt::Key_F5, virtualKey::f5},
    {Qt::Key_F6, virtualKey::f6},
    {Qt::Key_F7, virtualKey::f7},
    {Qt::Key_F3, virtualKey::f3},
    {Qt::Key_F8, virtualKey::f8},
    {Qt::Key_F9, virtualKey::f9},
    {Qt::Key_F11, virtualKey::f11},
    {Qt::Key_F13, virtualKey::f13},
    {Qt::Key_F16, virtualKey::f16},
    {Qt::Key_F14, virtualKey::f14},
    {Qt::Key_F10, virtualKey::f10},
    {Qt::Key_F12, virtualKey::f12},
    {Qt::Key_F15, virtualKey::f15},
    {Qt::Key_Insert, virtualKey::help},
    {Qt::Key_Home, virtualKey::home},
    {Qt::Key_PageUp, virtualKey::pageUp},
    {Qt::Key_Delete, virtualKey::forwardDelete},
    {Qt::Key_F4, virtualKey::f4},
    {Qt::Key_End, virtualKey::end},
    {Qt::Key_F2, virtualKey::f2},
    {Qt::Key_PageDown, virtualKey::pageDown},
    {Qt::Key_F1, virtualKey::f1},
    {Qt::Key_Left, virtualKey::leftArrow},
    {Qt::Key_Right, virtualKey::rightArrow},
    {Qt::Key_Down, virtualKey::downArrow},
    {Qt::Key_Up, virtualKey::upArrow},
    {Qt::Key_Enter, virtualKey::keypadEnter},
    {Qt::Key_Exclam, virtualKey::ansi1},
    {Qt::Key_At, virtualKey::ansi2},
    {Qt::Key_NumberSign, virtualKey::ansi3},
    {Qt::Key_Dollar, virtualKey::ansi4},
    {Qt::Key_AsciiCircum, virtualKey::ansi6},
    {Qt::Key_Percent, virtualKey::ansi5},
    {Qt::Key_Plus, virtualKey::ansiEqual},
    {Qt::Key_ParenLeft, virtualKey::ansi9},
    {Qt::Key_Ampersand, virtualKey::ansi7},
    {Qt::Key_Underscore, virtualKey::ansiMinus},
    {Qt::Key_Asterisk, virtualKey::ansi8},
    {Qt::Key_ParenRight, virtualKey::ansi0},
    {Qt::Key_BraceRight, virtualKey::ansiRightBracket},
    {Qt::Key_BraceLeft, virtualKey::ansiLeftBracket},
    {Qt::Key_QuoteDbl, virtualKey::ansiQuote},
    {Qt::Key_Colon, virtualKey::ansiSemicolon},
    {Qt::Key_Bar, virtualKey::ansiBackslash},
    {Qt::Key_Less, virtualKey::ansiComma},
    {Qt::Key_Question, virtualKey::ansiSlash},
    {Qt::Key_Greater, virtualKey::ansiPeriod},
    {Qt::Key_AsciiTilde, virtualKey::ansiGrave},
    {Qt::Key_Backtab, virtualKey::tab},
};

// The virtual key code of a Qt key, if it has one.
inline std::optional<std::uint16_t> virtualKeyCode(int qtKey) {
    for (const auto& [key, code] : qtKeys)
        if (key == qtKey)
            return code;
    return std::nullopt;
}

// The Qt key of a virtual key code: the unshifted one where both exist.
inline int qtKeyFor(std::uint16_t code) {
    for (const auto& [key, keyCode] : qtKeys)
        if (keyCode == code)
            return key;
    return Qt::Key_unknown;
}

} // namespace wigglet
