#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <array>

using namespace gp;

TEST(ByteReader, ReadsBothByteOrdersAndStopsAtTheEnd)
{
    const std::array<std::uint8_t, 7> bytes{0x34, 0x12, 0x12, 0x34, 0x78, 0x56, 0x34};
    ByteReader in(bytes);
    EXPECT_EQ(*in.readU16Le(), 0x1234);
    EXPECT_EQ(*in.readU16Be(), 0x1234);
    auto tooLong = in.readU32Le();
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error().kind, ErrorKind::Truncated);
    EXPECT_EQ(in.position(), 4u) << "a failed read must not move the cursor";
    EXPECT_EQ(*in.readU8(), 0x78);
    EXPECT_FALSE(in.skip(3));
    EXPECT_TRUE(in.skip(2));
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.seek(8));
    EXPECT_TRUE(in.seek(7));
}

TEST(ByteReader, RefusesHugeCountsWithoutOverflow)
{
    const std::array<std::uint8_t, 4> bytes{};
    ByteReader in(bytes);
    ASSERT_TRUE(in.skip(1));
    EXPECT_FALSE(in.readBytes(std::size_t(-1)));
    EXPECT_FALSE(in.skip(std::size_t(-1)));
    EXPECT_EQ(in.remaining(), 3u);
}
