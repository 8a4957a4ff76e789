#include "platform/Random.h"

#include <gtest/gtest.h>

using wigglet::Random;

TEST(Random, SameSeedGivesTheSameSequence) {
    Random a(7), b(7);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.next(), b.next());
}
