// Feeds arbitrary bytes to the shortcut-record decoder, as a damaged or hand-edited settings
// file would. A record that decodes must survive its own round trip.
#include "FuzzCheck.h"
#include "system/GlobalKeybindPreferences.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using wigglet::GlobalKeybindPreferences;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The display text takes whatever characters a key event reports, UTF-8 or not.
    GlobalKeybindPreferences raw;
    raw.characters = std::string(bytes);
    static_cast<void>(raw.description());
    static_cast<void>(raw.encode());

    const auto record = GlobalKeybindPreferences::decode(bytes);
    if (!record)
        return 0;
    static_cast<void>(record->description());
    const auto encoded = record->encode();
    // The decoder only lets well-formed UTF-8 through, so the record must encode again.
    if (!encoded)
        wigglet::fuzz::check(false);
    if (GlobalKeybindPreferences::decode(*encoded) != record)
        wigglet::fuzz::check(false);
    return 0;
}
