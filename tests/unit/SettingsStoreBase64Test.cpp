#include "SettingsStoreTestSupport.h"
#include "foundation/Base64.h"

#include <gtest/gtest.h>
#include <utility>

namespace wigglet {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pairs = std::initializer_list<std::pair<const char*, const char*>>;

using testing::bytesOf;

TEST(SettingsStoreBase64, TheVectorsOfRfc4648EncodeAndDecode) {
    for (const auto& [plain, encoded] : Pairs{{"", ""},
                                              {"f", "Zg=="},
                                              {"fo", "Zm8="},
                                              {"foo", "Zm9v"},
                                              {"foob", "Zm9vYg=="},
                                              {"fooba", "Zm9vYmE="},
                                              {"foobar", "Zm9vYmFy"}}) {
        EXPECT_EQ(Base64::encode(bytesOf(plain)), encoded);
        EXPECT_EQ(Base64::decode(encoded), bytesOf(plain)) << encoded;
    }
}

TEST(SettingsStoreBase64, EveryByteValueRoundTrips) {
    Bytes all;
    for (int i = 0; i < 256; ++i)
        all.push_back(std::uint8_t(i));
    for (std::size_t length = 0; length <= all.size(); length += 37) {
        const Bytes part(all.begin(), all.begin() + std::ptrdiff_t(length));
        EXPECT_EQ(Base64::decode(Base64::encode(part)), part) << length;
    }
}

TEST(SettingsStoreBase64, NonCanonicalTextIsNoValue) {
    for (const auto& [behaviour, text] : Pairs{{"a length that is not a multiple of four", "Zg="},
                                               {"missing padding", "Zg"},
                                               {"three padding characters", "Z==="},
                                               {"padding in the middle", "Zg==Zm9v"},
                                               {"a character outside the alphabet", "Zm9*"},
                                               {"a line break", "Zm9v\nZm9v"},
                                               {"leftover bits that are not zero", "Zh=="},
                                               {"the URL-safe alphabet", "-_-_"}})
        EXPECT_EQ(Base64::decode(text), std::nullopt) << behaviour;
}

} // namespace
} // namespace wigglet
