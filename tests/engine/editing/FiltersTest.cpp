#include "FakeHost.h"
#include "Pictures.h"
#include "editing/effects/Blur.h"
#include "editing/effects/FilterCommands.h"
#include "editing/effects/Sharpen.h"

#include <gtest/gtest.h>

#include <numeric>

namespace gp {
namespace {

using test::Bgr;
using test::storedPixel;

class Filters : public ::testing::Test {
protected:
    test::FakeHost host;
    Allocator allocator { host };
    FilterRun run { allocator, host, true };
    ClassicRandom random;
    EffectInputs inputs { random, Rgb { 255, 255, 255 } };
};

TEST_F(Filters, BlurWeightsSumToExactlyOne)
{
    for (int length = 0; length <= 40; ++length) {
        const BlurKernel kernel = blurKernel(length);
        EXPECT_EQ(kernel.taps, std::clamp(length, 2, 32));
        EXPECT_EQ(kernel.centre, kernel.taps / 2);
        EXPECT_EQ(std::accumulate(kernel.weights.begin(), kernel.weights.begin() + kernel.taps, 0), 1 << 20) << length;
        for (int i = 0; i < kernel.taps; ++i)
            EXPECT_GT(kernel.weights[std::size_t(i)], 0);
    }
    // The bell is symmetric up to the correction of one unit on the middle taps.
    const BlurKernel five = blurKernel(5);
    EXPECT_LE(std::abs(five.weights[0] - five.weights[4]), 1);
    EXPECT_LE(std::abs(five.weights[1] - five.weights[3]), 1);
    EXPECT_GT(five.weights[2], five.weights[1]);
}

TEST_F(Filters, BlurKeepsFlatImagesFlat)
{
    const Image flat = test::flatRgb(17, 9, { 3, 128, 255 });
    for (int b : { 1, 37, 100 }) {
        auto result = runFilterCommand(253, flat, b, inputs, run);
        ASSERT_TRUE(result);
        EXPECT_TRUE(std::equal(flat.pixels().begin(), flat.pixels().end(), result->pixels().begin())) << b;
    }
}

TEST_F(Filters, BlurSpreadsAnImpulseByTheKernel)
{
    // One row, so the vertical pass changes nothing.
    const Image impulse = test::grayPictureByStoredRow(21, 1, [](int x, int) { return x == 10 ? 255 : 0; });
    for (int length : { 2, 5, 10 }) {
        const BlurKernel kernel = blurKernel(length);
        auto result = blur(impulse, length, run);
        ASSERT_TRUE(result);
        for (int x = 0; x < 21; ++x) {
            const int tap = 10 - x + kernel.centre;
            const int expected
                = tap >= 0 && tap < kernel.taps ? (524288 + kernel.weights[std::size_t(tap)] * 255) >> 20 : 0;
            EXPECT_EQ(test::storedLevel(*result, x, 0), expected) << length << " " << x;
        }
    }
    // The vertical pass uses the same kernel over stored rows.
    const Image column = test::grayPictureByStoredRow(1, 21, [](int, int y) { return y == 10 ? 255 : 0; });
    auto result = blur(column, 2, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedLevel(*result, 0, 10), (524288 + blurKernel(2).weights[1] * 255) >> 20);
    EXPECT_EQ(test::storedLevel(*result, 0, 11), (524288 + blurKernel(2).weights[0] * 255) >> 20);
    EXPECT_EQ(test::storedLevel(*result, 0, 9), 0);
}

TEST_F(Filters, BlurIntensityGivesTheKernelLength)
{
    const Image source = test::goldenRgb();
    const auto same = [&](int intensity, int length) {
        auto a = runFilterCommand(253, source, intensity, inputs, run);
        auto b = blur(source, length, run);
        return a && b && test::checksum(*a) == test::checksum(*b);
    };
    EXPECT_TRUE(same(5, 2));
    EXPECT_TRUE(same(20, 2));
    EXPECT_TRUE(same(21, 3));
    EXPECT_TRUE(same(50, 5));
    EXPECT_TRUE(same(100, 10));
    EXPECT_FALSE(same(50, 6));
}

TEST_F(Filters, BlurEdgesRepeatTheEdgePixel)
{
    // A left half at 200 and a right half at 0: the edge columns only see their own side.
    const Image step = test::grayPictureByStoredRow(12, 3, [](int x, int) { return x < 6 ? 200 : 0; });
    auto result = blur(step, 10, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedLevel(*result, 0, 1), 200);
    EXPECT_EQ(test::storedLevel(*result, 11, 1), 0);
    EXPECT_GT(test::storedLevel(*result, 5, 1), test::storedLevel(*result, 6, 1));
}

TEST_F(Filters, SharpenLiftsThePixelByHalfItsDifference)
{
    const Image flat = test::flatRgb(9, 7, { 40, 90, 250 });
    auto unchanged = sharpen(flat, 3, 100, 0, run);
    ASSERT_TRUE(unchanged);
    EXPECT_TRUE(std::equal(flat.pixels().begin(), flat.pixels().end(), unchanged->pixels().begin()));

    // The 3 × 3 box around (3, 3) sums to 900, so its mean is 100 in both passes.
    const auto spot = [](int centre, int side) {
        return test::grayPictureByStoredRow(7, 7, [=](int x, int y) {
            if (y != 3 || x < 2 || x > 4)
                return 100;
            return x == 3 ? centre : side;
        });
    };
    auto up = runFilterCommand(254, spot(130, 85), 50, inputs, run);
    ASSERT_TRUE(up);
    EXPECT_EQ(test::storedLevel(*up, 3, 3), 145);
    auto down = runFilterCommand(254, spot(70, 115), 50, inputs, run);
    ASSERT_TRUE(down);
    EXPECT_EQ(test::storedLevel(*down, 3, 3), 55); // −30 gains −gain(29) = −15
    auto tiny = sharpen(spot(99, 100), 3, 49, 0, run);
    ASSERT_TRUE(tiny);
    EXPECT_EQ(test::storedLevel(*tiny, 3, 3), 99); // −1 gains −gain(0) = 0 below amount 50
}

TEST_F(Filters, SharpenThresholdAndSaturation)
{
    const auto spot = [](int centre, int side) {
        return test::grayPictureByStoredRow(7, 7, [=](int x, int y) {
            if (y != 3 || x < 2 || x > 4)
                return 100;
            return x == 3 ? centre : side;
        });
    };
    auto below = sharpen(spot(130, 85), 3, 50, 31, run);
    ASSERT_TRUE(below);
    EXPECT_EQ(test::storedLevel(*below, 3, 3), 130);
    auto strong = sharpen(spot(250, 25), 3, 100, 0, run);
    ASSERT_TRUE(strong);
    EXPECT_EQ(test::storedLevel(*strong, 3, 3), 255);
}

TEST_F(Filters, RefuseOtherImageTypes)
{
    const Image fourBit = Image::create(8, 8, 4).value();
    Image indexed = Image::create(8, 8, 8, 256).value(); // a zero palette is not the gray ramp
    for (int command : { 253, 254, 300, 308, 317 }) {
        EXPECT_FALSE(runFilterCommand(command, fourBit, 50, inputs, run)) << command;
        EXPECT_FALSE(runFilterCommand(command, indexed, 50, inputs, run)) << command;
    }
    EXPECT_FALSE(runFilterCommand(299, test::flatRgb(4, 4, {}), 50, inputs, run));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Filters, UndoCodes)
{
    EXPECT_EQ(filterUndoCode(253), 1031);
    EXPECT_EQ(filterUndoCode(254), 1034);
    EXPECT_EQ(filterUndoCode(300), 1038);
    EXPECT_EQ(filterUndoCode(317), 1055);
    EXPECT_EQ(filterUndoCode(318), 0);
    EXPECT_FALSE(isFilterCommand(318));
}

TEST_F(Filters, TwoPassProgressAndEscape)
{
    const Image source = test::flatRgb(5, 32, { 1, 1, 1 });
    ASSERT_TRUE(blur(source, 5, run));
    const std::vector<std::string> expected { "  Processing: 0%", "  Processing: 25%", "  Processing: 50%",
        "  Processing: 75%", "  Ready" };
    EXPECT_EQ(host.statusTexts, expected);

    for (int command : { 253, 254, 300, 301, 302, 303, 305, 306, 307, 308, 309, 310, 311, 314, 316, 317 }) {
        host.escapeAfterPolls = host.escapePolls + 3;
        EXPECT_FALSE(runFilterCommand(command, source, 50, inputs, run)) << command;
    }
    host.escapeAfterPolls = -1;

    FilterRun quiet { allocator, host, false };
    host.statusTexts.clear();
    const int polls = host.escapePolls;
    ASSERT_TRUE(blur(source, 5, quiet));
    EXPECT_TRUE(host.statusTexts.empty());
    EXPECT_EQ(host.escapePolls, polls);
}

TEST_F(Filters, OutOfMemoryIsReportedOnce)
{
    Allocator tight(host, 2000);
    FilterRun small { tight, host, true };
    EXPECT_FALSE(blur(test::flatRgb(40, 40, {}), 5, small));
    EXPECT_EQ(host.messageTexts(), std::vector<std::string> { "There is not enough memory." });
}

} // namespace
} // namespace gp
