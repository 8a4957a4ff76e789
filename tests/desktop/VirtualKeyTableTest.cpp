#include "platform/linux/x11/VirtualKeyTable.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

using wigglet::desktop::VirtualKeyTable;

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

TEST(VirtualKeyTable, ShiftedKeysymsLeadBackToTheUnshiftedPosition) {
    struct Row {
        const char* behaviour;
        std::uint32_t keysym;
        std::uint16_t virtualKey;
    };
    const Row rows[] = {
        {"a capital letter is the letter's key", XK_S, 1},
        {"an exclamation mark is the 1 key", XK_exclam, 18},
        {"a right brace is the right bracket key", XK_braceright, 30},
        {"a left brace is the left bracket key", XK_braceleft, 33},
        {"a tilde is the grave key", XK_asciitilde, 50},
        {"a back tab is the Tab key", XK_ISO_Left_Tab, 48},
    };
    for (const Row& row : rows)
        EXPECT_EQ(VirtualKeyTable::virtualKeyFor(row.keysym), row.virtualKey) << row.behaviour;
    EXPECT_EQ(VirtualKeyTable::virtualKeyFor(XK_Greek_alpha), std::nullopt);
}
