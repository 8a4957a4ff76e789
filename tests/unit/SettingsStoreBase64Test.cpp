#include "BehaviourRowName.h"
#include "SettingsStoreTestSupport.h"
#include "foundation/Base64.h"

#include <gtest/gtest.h>

namespace wigglet {
namespace {

using Bytes = std::vector<std::uint8_t>;

using testing::bytesOf;

struct VectorRow {
    const char* plain;
    const char* encoded;
};

void PrintTo(const VectorRow& row, std::ostream* out) {
    *out << '"' << row.plain << '"';
}

// The test vectors of RFC 4648.
const VectorRow kVectors[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
};

class SettingsStoreBase64Vectors : public ::testing::TestWithParam<VectorRow> {};

TEST_P(SettingsStoreBase64Vectors, EncodeAndDecodeAgree) {
    EXPECT_EQ(Base64::encode(bytesOf(GetParam().plain)), GetParam().encoded);
    EXPECT_EQ(Base64::decode(GetParam().encoded), bytesOf(GetParam().plain));
}

INSTANTIATE_TEST_SUITE_P(Rfc4648, SettingsStoreBase64Vectors, ::testing::ValuesIn(kVectors));

TEST(SettingsStoreBase64, EveryByteValueRoundTrips) {
    Bytes all;
    for (int i = 0; i < 256; ++i)
        all.push_back(std::uint8_t(i));
    for (std::size_t length = 0; length <= all.size(); length += 37) {
        const Bytes part(all.begin(), all.begin() + std::ptrdiff_t(length));
        EXPECT_EQ(Base64::decode(Base64::encode(part)), part) << length;
    }
}

struct RejectRow {
    const char* behaviour;
    const char* text;
};

void PrintTo(const RejectRow& row, std::ostream* out) {
    *out << '"' << row.behaviour << '"';
}

const RejectRow kRejected[] = {
    {"a length that is not a multiple of four", "Zg="},
    {"missing padding", "Zg"},
    {"three padding characters", "Z==="},
    {"padding in the middle", "Zg==Zm9v"},
    {"a character outside the alphabet", "Zm9*"},
    {"a line break", "Zm9v\nZm9v"},
    {"leftover bits that are not zero", "Zh=="},
    {"the URL-safe alphabet", "-_-_"},
};

class SettingsStoreBase64Rejects : public ::testing::TestWithParam<RejectRow> {};

TEST_P(SettingsStoreBase64Rejects, NonCanonicalTextIsNoValue) {
    EXPECT_EQ(Base64::decode(GetParam().text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreBase64Rejects, ::testing::ValuesIn(kRejected),
                         wigglet::test::BehaviourRowName());

} // namespace
} // namespace wigglet
