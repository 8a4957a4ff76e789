// Feeds arbitrary bytes to the localisation-table loader, as a damaged or hand-made table
// would be. Whatever the table holds, a key neither it nor English has reads as the key itself.
#include "FuzzCheck.h"
#include "foundation/Localizer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

using wigglet::Localizer;

using wigglet::fuzz::check;

namespace {

constexpr std::array<std::string_view, 6> kProbes = {
    "menu-shake", "menu-preferences", "notification-stop-battery-low-title", "", "0", "missing-key",
};

void checkLookup(const Localizer& table, std::string_view key) {
    const std::string text = table.string(key);
    if (!table.contains(key))
        check(text == key);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Localizer table = Localizer::fromJson(bytes);

    for (const std::string_view key : kProbes)
        checkLookup(table, key);
    checkLookup(table, bytes);

    // Every text entry of the object is in the table, and nothing else is.
    const auto parsed = nlohmann::json::parse(bytes, nullptr, false);
    std::size_t texts = 0;
    if (parsed.is_object())
        for (const auto& [key, value] : parsed.items())
            if (value.is_string()) {
                ++texts;
                check(table.contains(key) && table.string(key) == value.get<std::string>());
            }
    check(table.size() == texts);
    return 0;
}
