#include "platform/linux/x11/VirtualKeyTable.h"

#include <gtest/gtest.h>

using namespace wigglet::desktop;

TEST(VirtualKeyTable, PositionsWithoutAKeyHaveNoKeysym) {
    for (const std::uint16_t missing : {52, 63, 66, 127, 200, 0xFFFF})
        EXPECT_EQ(VirtualKeyTable::keysymFor(missing), std::nullopt) << missing;
}

TEST(VirtualKeyTable, EveryKeysymLeadsBackToItsPosition) {
    int positions = 0;
    for (std::uint16_t key = 0; key < 128; ++key) {
        if (const auto keysym = VirtualKeyTable::keysymFor(key)) {
            EXPECT_EQ(VirtualKeyTable::virtualKeyFor(*keysym), key) << key;
            ++positions;
        }
    }
    EXPECT_GT(positions, 100);
}
