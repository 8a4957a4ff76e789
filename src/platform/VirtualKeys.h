#pragma once

#include <cstdint>

namespace wigglet {

// The virtual key codes that the program stores and posts: key positions on a US-ANSI
// keyboard, numbered as the system's published list numbers them. Adapters translate them.
namespace virtualKey {
inline constexpr std::uint16_t ansiA = 0x00;
inline constexpr std::uint16_t ansiS = 0x01;
inline constexpr std::uint16_t ansiD = 0x02;
inline constexpr std::uint16_t ansiF = 0x03;
inline constexpr std::uint16_t ansiH = 0x04;
inline constexpr std::uint16_t ansiG = 0x05;
inline constexpr std::uint16_t ansiZ = 0x06;
inline constexpr std::uint16_t ansiX = 0x07;
inline constexpr std::uint16_t ansiC = 0x08;
inline constexpr std::uint16_t ansiV = 0x09;
inline constexpr std::uint16_t ansiB = 0x0B;
inline constexpr std::uint16_t ansiQ = 0x0C;
inline constexpr std::uint16_t ansiW = 0x0D;
inline constexpr std::uint16_t ansiE = 0x0E;
inline constexpr std::uint16_t ansiR = 0x0F;
inline constexpr std::uint16_t ansiY = 0x10;
inline constexpr std::uint16_t ansiT = 0x11;
inline constexpr std::uint16_t ansi1 = 0x12;
inline constexpr std::uint16_t ansi2 = 0x13;
inline constexpr std::uint16_t ansi3 = 0x14;
inline constexpr std::uint16_t ansi4 = 0x15;
inline constexpr std::uint16_t ansi6 = 0x16;
inline constexpr std::uint16_t ansi5 = 0x17;
inline constexpr std::uint16_t ansiEqual = 0x18;
inline constexpr std::uint16_t ansi9 = 0x19;
inline constexpr std::uint16_t ansi7 = 0x1A;
inline constexpr std::uint16_t ansiMinus = 0x1B;
inline constexpr std::uint16_t ansi8 = 0x1C;
inline constexpr std::uint16_t ansi0 = 0x1D;
inline constexpr std::uint16_t ansiRightBracket = 0x1E;
inline constexpr std::uint16_t ansiO = 0x1F;
inline constexpr std::uint16_t ansiU = 0x20;
inline constexpr std::uint16_t ansiLeftBracket = 0x21;
inline constexpr std::uint16_t ansiI = 0x22;
inline constexpr std::uint16_t ansiP = 0x23;
inline constexpr std::uint16_t returnKey = 0x24;
inline constexpr std::uint16_t ansiL = 0x25;
inline constexpr std::uint16_t ansiJ = 0x26;
inline constexpr std::uint16_t ansiQuote = 0x27;
inline constexpr std::uint16_t ansiK = 0x28;
inline constexpr std::uint16_t ansiSemicolon = 0x29;
inline constexpr std::uint16_t ansiBackslash = 0x2A;
inline constexpr std::uint16_t ansiComma = 0x2B;
inline constexpr std::uint16_t ansiSlash = 0x2C;
inline constexpr std::uint16_t ansiN = 0x2D;
inline constexpr std::uint16_t ansiM = 0x2E;
inline constexpr std::uint16_t ansiPeriod = 0x2F;
inline constexpr std::uint16_t tab = 0x30;
inline constexpr std::uint16_t space = 0x31;
inline constexpr std::uint16_t ansiGrave = 0x32;
inline constexpr std::uint16_t deleteKey = 0x33; // Backspace
inline constexpr std::uint16_t escape = 0x35;
inline constexpr std::uint16_t rightCommand = 0x36;
inline constexpr std::uint16_t command = 0x37;
inline constexpr std::uint16_t shift = 0x38;
inline constexpr std::uint16_t capsLock = 0x39;
inline constexpr std::uint16_t option = 0x3A;
inline constexpr std::uint16_t control = 0x3B;
inline constexpr std::uint16_t rightShift = 0x3C;
inline constexpr std::uint16_t rightOption = 0x3D;
inline constexpr std::uint16_t rightControl = 0x3E;
inline constexpr std::uint16_t f17 = 0x40;
inline constexpr std::uint16_t keypadDecimal = 0x41;
inline constexpr std::uint16_t keypadMultiply = 0x43;
inline constexpr std::uint16_t keypadPlus = 0x45;
inline constexpr std::uint16_t keypadClear = 0x47; // Num Lock on PC keyboards
inline constexpr std::uint16_t volumeUp = 0x48;
inline constexpr std::uint16_t volumeDown = 0x49;
inline constexpr std::uint16_t mute = 0x4A;
inline constexpr std::uint16_t keypadDivide = 0x4B;
inline constexpr std::uint16_t keypadEnter = 0x4C;
inline constexpr std::uint16_t keypadMinus = 0x4E;
inline constexpr std::uint16_t f18 = 0x4F;
inline constexpr std::uint16_t f19 = 0x50;
inline constexpr std::uint16_t keypadEquals = 0x51;
inline constexpr std::uint16_t keypad0 = 0x52;
inline constexpr std::uint16_t keypad1 = 0x53;
inline constexpr std::uint16_t keypad2 = 0x54;
inline constexpr std::uint16_t keypad3 = 0x55;
inline constexpr std::uint16_t keypad4 = 0x56;
inline constexpr std::uint16_t keypad5 = 0x57;
inline constexpr std::uint16_t keypad6 = 0x58;
inline constexpr std::uint16_t keypad7 = 0x59;
inline constexpr std::uint16_t f20 = 0x5A;
inline constexpr std::uint16_t keypad8 = 0x5B;
inline constexpr std::uint16_t keypad9 = 0x5C;
inline constexpr std::uint16_t f5 = 0x60;
inline constexpr std::uint16_t f6 = 0x61;
inline constexpr std::uint16_t f7 = 0x62;
inline constexpr std::uint16_t f3 = 0x63;
inline constexpr std::uint16_t f8 = 0x64;
inline constexpr std::uint16_t f9 = 0x65;
inline constexpr std::uint16_t f11 = 0x67;
inline constexpr std::uint16_t f13 = 0x69;
inline constexpr std::uint16_t f16 = 0x6A;
inline constexpr std::uint16_t f14 = 0x6B;
inline constexpr std::uint16_t f10 = 0x6D;
inline constexpr std::uint16_t f12 = 0x6F;
inline constexpr std::uint16_t f15 = 0x71;
inline constexpr std::uint16_t help = 0x72; // Insert on PC keyboards
inline constexpr std::uint16_t home = 0x73;
inline constexpr std::uint16_t pageUp = 0x74;
inline constexpr std::uint16_t forwardDelete = 0x75; // Delete
inline constexpr std::uint16_t f4 = 0x76;
inline constexpr std::uint16_t end = 0x77;
inline constexpr std::uint16_t f2 = 0x78;
inline constexpr std::uint16_t pageDown = 0x79;
inline constexpr std::uint16_t f1 = 0x7A;
inline constexpr std::uint16_t leftArrow = 0x7B;
inline constexpr std::uint16_t rightArrow = 0x7C;
inline constexpr std::uint16_t downArrow = 0x7D;
inline constexpr std::uint16_t upArrow = 0x7E;
} // namespace virtualKey

// Key types of the auxiliary control buttons that a system-defined event carries in data1.
namespace auxiliaryKey {
inline constexpr std::int64_t soundUp = 0;
inline constexpr std::int64_t soundDown = 1;
inline constexpr std::int64_t brightnessUp = 2;
inline constexpr std::int64_t brightnessDown = 3;
inline constexpr std::int64_t mute = 7;
} // namespace auxiliaryKey

} // namespace wigglet
