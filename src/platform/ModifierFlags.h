#pragma once

#include <cstdint>

namespace wigglet {

// The modifier flags a key event carries, as stored in shortcut records and traced.
namespace modifierFlag {
inline constexpr std::uint64_t capsLock = 0x010000;
inline constexpr std::uint64_t shift = 0x020000;
inline constexpr std::uint64_t control = 0x040000;
inline constexpr std::uint64_t option = 0x080000;
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t function = 0x800000;
} // namespace modifierFlag

// The Carbon modifier mask that hot-key registration takes.
namespace carbonModifier {
inline constexpr std::uint32_t cmdKey = 0x0100;
inline constexpr std::uint32_t shiftKey = 0x0200;
inline constexpr std::uint32_t optionKey = 0x0800;
inline constexpr std::uint32_t controlKey = 0x1000;
inline constexpr std::uint32_t rightShiftKey = 0x2000;
inline constexpr std::uint32_t rightOptionKey = 0x4000;
inline constexpr std::uint32_t rightControlKey = 0x8000;
} // namespace carbonModifier

} // namespace wigglet
