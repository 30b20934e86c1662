#include "FakeHost.h"
#include "Pictures.h"
#include "editing/effects/Cylinder.h"
#include "editing/effects/Emboss.h"
#include "editing/effects/FilmGrain.h"
#include "editing/effects/FilterCommands.h"
#include "editing/effects/Grid3d.h"
#include "editing/effects/LensEffect.h"
#include "editing/effects/Melting.h"
#include "editing/effects/Mosaic.h"
#include "editing/effects/MotionBlur.h"
#include "editing/effects/Painting.h"
#include "editing/effects/Ribbon.h"
#include "editing/effects/Ripple.h"
#include "editing/effects/Sketch.h"
#include "editing/effects/Splash.h"
#include "editing/effects/TwistEffect.h"
#include "editing/effects/Wrinkle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace gp {
namespace {

using test::Bgr;
using test::storedPixel;

class Effects : public ::testing::Test {
protected:
    test::FakeHost host;
    Allocator allocator { host };
    FilterRun run { allocator, host, true };
    ClassicRandom random;
    EffectInputs inputs { random, Rgb { 255, 255, 255 } };

    // Every pixel names its own position: blue = x, green = stored row y.
    static Image coordinates(int width, int height)
    {
        return test::rgbPictureByStoredRow(width, height, [](int x, int i) {
            return Bgr { std::uint8_t(x), std::uint8_t(i), 7 };
        });
    }
    static bool samePixels(const Image& a, const Image& b)
    {
        return std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin(), b.pixels().end());
    }
};

TEST(ClassicRandom, FollowsTheLibrarySequence)
{
    ClassicRandom random;
    EXPECT_EQ(random.next(), 41);
    EXPECT_EQ(random.next(), 18467);
    EXPECT_EQ(random.next(), 6334);
    random.seed(1);
    EXPECT_EQ(random.next(), 41);
}

TEST(ClassicRandom, SkipLandsWhereSingleDrawsLand)
{
    for (std::uint32_t seed : { 1u, 0xDEADBEEFu })
        for (std::uint64_t draws : { 0ull, 1ull, 2ull, 3ull, 1000ull, 65537ull, 4096000ull }) {
            ClassicRandom stepped(seed), skipped(seed);
            for (std::uint64_t i = 0; i < draws; ++i)
                stepped.next();
            skipped.skip(draws);
            EXPECT_EQ(skipped.state(), stepped.state()) << seed << " " << draws;
        }
    // The state has period 2^32: a whole period returns to the start.
    ClassicRandom around(7);
    around.skip(std::uint64_t(1) << 32);
    EXPECT_EQ(around.state(), 7u);
}

TEST_F(Effects, MosaicBlocksAndTheirMeans)
{
    const Image source = test::grayPictureByStoredRow(30, 27, [](int x, int i) { return (x * 7 + i * 3) % 256; });
    auto result = runFilterCommand(308, source, 100, inputs, run); // 25 × 25 blocks
    ASSERT_TRUE(result);
    const auto mean = [&](int left, int top, int w, int h) {
        int sum = 0;
        for (int y = top; y < top + h; ++y)
            for (int x = left; x < left + w; ++x)
                sum += test::storedLevel(source, x, y);
        return sum / (w * h);
    };
    EXPECT_EQ(test::storedLevel(*result, 0, 0), mean(0, 0, 25, 25));
    EXPECT_EQ(test::storedLevel(*result, 24, 24), mean(0, 0, 25, 25));
    EXPECT_EQ(test::storedLevel(*result, 25, 0), mean(25, 0, 5, 25)); // the second block column is 5 wide
    EXPECT_EQ(test::storedLevel(*result, 29, 26), mean(25, 25, 5, 2)); // the top row of blocks is 2 high
    EXPECT_FALSE(mosaic(source, 0, 4, run));
    auto whole = mosaic(source, 500, 500, run); // limited to the image: one block
    ASSERT_TRUE(whole);
    EXPECT_EQ(test::storedLevel(*whole, 0, 0), mean(0, 0, 30, 27));
}

TEST_F(Effects, FilmGrainRanges)
{
    const Image source = test::flatRgb(40, 30, { 100, 150, 200 });
    const auto offsets = [&](int intensity) {
        std::set<int> seen;
        auto result = filmGrain(source, intensity, random, run);
        EXPECT_TRUE(result);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const Bgr out = storedPixel(*result, x, y);
                EXPECT_EQ(out.green - 150, out.blue - 100);
                EXPECT_EQ(out.red - 200, out.blue - 100);
                seen.insert(out.blue - 100);
            }
        return seen;
    };
    EXPECT_EQ(offsets(1), (std::set<int> { 0, 1 }));
    EXPECT_EQ(offsets(2), (std::set<int> { -1, 0, 1 }));
    const std::set<int> wide = offsets(100);
    EXPECT_GE(*wide.begin(), -50);
    EXPECT_LE(*wide.rbegin(), 50);
}

TEST_F(Effects, FilmGrainLimitsAndDoesNotReseed)
{
    const Image bright = test::flatRgb(10, 10, { 255, 255, 0 });
    random.seed(5);
    auto first = filmGrain(bright, 60, random, run);
    auto second = filmGrain(bright, 60, random, run);
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(samePixels(*first, *second));
    // Offsets of −30..30: a positive one saturates blue and shows in red, a negative one the reverse.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const Bgr p = storedPixel(*first, x, y);
            EXPECT_TRUE(p.red == 0 || p.blue == 255);
            EXPECT_LE(p.red, 30);
            EXPECT_GE(p.blue, 225);
            EXPECT_EQ(p.green, p.blue);
        }
}

TEST_F(Effects, SplashReadsOnlyNearbyPixelsInside)
{
    const Image source = coordinates(37, 23);
    for (int intensity : { 1, 9, 50, 100 }) {
        const int half = (std::clamp(intensity, 1, 50) + 1) / 2;
        auto result = splash(source, intensity, random, run);
        ASSERT_TRUE(result);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) {
                const Bgr from = storedPixel(*result, x, y);
                EXPECT_EQ(from.red, 7);
                EXPECT_LE(std::abs(from.blue - x), half);
                EXPECT_LE(std::abs(from.green - y), half);
                EXPECT_LT(from.blue, 37);
                EXPECT_LT(from.green, 23);
            }
    }
}

TEST_F(Effects, MeltingSinksDarkPixelsWithinTheirColumn)
{
    const Image flat = test::flatRgb(20, 20, { 9, 99, 199 });
    auto still = melting(flat, 100, random, run);
    ASSERT_TRUE(still);
    EXPECT_TRUE(samePixels(flat, *still));

    const Image source = test::goldenRgb();
    auto result = melting(source, 100, random, run);
    ASSERT_TRUE(result);
    EXPECT_FALSE(samePixels(source, *result));
    for (int x = 0; x < source.width(); ++x) {
        EXPECT_EQ(storedPixel(*result, x, 0), storedPixel(source, x, 0)) << "stored row 0 is never reached";
        std::vector<std::uint32_t> before, after;
        for (int y = 0; y < source.height(); ++y) {
            const Bgr a = storedPixel(source, x, y), b = storedPixel(*result, x, y);
            before.push_back(std::uint32_t(a.blue) << 16 | std::uint32_t(a.green) << 8 | a.red);
            after.push_back(std::uint32_t(b.blue) << 16 | std::uint32_t(b.green) << 8 | b.red);
        }
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(before, after) << x;
    }
}

TEST_F(Effects, GridTilesWithTheirPeriod)
{
    const Image source = test::flatRgb(20, 20, { 100, 100, 100 });
    auto result = runFilterCommand(307, source, 1, inputs, run); // period 8
    ASSERT_TRUE(result);
    const auto level = [&](int x, int y) { return int(storedPixel(*result, x, y).blue); };
    EXPECT_EQ(level(0, 4), 100); // groove column
    EXPECT_EQ(level(7, 4), 100); // groove column
    EXPECT_EQ(level(4, 8), 100); // groove row
    EXPECT_EQ(level(4, 1), 8); // bottom inner edge
    EXPECT_EQ(level(1, 1), 8); // bottom edge wins over the left
    EXPECT_EQ(level(4, 6), 192); // top inner edge
    EXPECT_EQ(level(1, 4), 192); // left inner edge
    EXPECT_EQ(level(6, 4), 8); // right inner edge
    EXPECT_EQ(level(6, 6), 192); // top wins over the right
    EXPECT_EQ(level(4, 4), 100); // tile face
    EXPECT_EQ(level(12, 12), 100); // the next tile's face
    EXPECT_EQ(level(9, 12), 192); // the next tile's left edge
}

TEST_F(Effects, FlatImagesGiveFlatResults)
{
    const Image flat = test::flatRgb(16, 12, { 30, 60, 90 });
    auto embossed = runFilterCommand(309, flat, 100, inputs, run);
    ASSERT_TRUE(embossed);
    for (std::uint8_t v : embossed->pixels().subspan(0, 16 * 3))
        EXPECT_EQ(v, 128);
    auto sketched = runFilterCommand(301, flat, 1, inputs, run);
    ASSERT_TRUE(sketched);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(storedPixel(*sketched, x, y), (Bgr { 255, 255, 255 }));
    for (int command : { 300, 305, 310, 316 }) {
        auto result = runFilterCommand(command, flat, 73, inputs, run);
        ASSERT_TRUE(result);
        const Bgr expected = command == 300 ? Bgr { 24, 56, 88 } : Bgr { 30, 60, 90 };
        EXPECT_EQ(storedPixel(*result, 7, 5), expected) << command;
        EXPECT_EQ(storedPixel(*result, 15, 11), expected) << command;
    }
}

TEST_F(Effects, EmbossComparesWithThePixelToTheRight)
{
    const Image source = test::rgbPictureByStoredRow(10, 6, [](int x, int) {
        const auto v = std::uint8_t(x * 20);
        return Bgr { v, std::uint8_t(v + 1), std::uint8_t(v + 3) };
    });
    auto result = emboss(source, 2, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(storedPixel(*result, 1, 3), (Bgr { 128, 128, 128 })); // border
    EXPECT_EQ(storedPixel(*result, 2, 1), (Bgr { 128, 128, 128 })); // border row
    EXPECT_EQ(storedPixel(*result, 3, 3), (Bgr { 88, 88, 88 })); // (3·60 + 4 − 3·100 − 4) / 3 + 128
    auto wide = emboss(source, 99, run); // limited to half the height: 3
    ASSERT_TRUE(wide);
    EXPECT_EQ(storedPixel(*wide, 5, 3), (Bgr { 128, 128, 128 }));
    const Image gray = test::grayPictureByStoredRow(10, 6, [](int x, int) { return x < 5 ? 250 : 0; });
    auto relief = emboss(gray, 1, run);
    ASSERT_TRUE(relief);
    EXPECT_EQ(test::storedLevel(*relief, 4, 2), 255);
    EXPECT_EQ(test::storedLevel(*relief, 3, 2), 128);
}

TEST_F(Effects, SketchDrawsEdgesDark)
{
    const Image step = test::grayPictureByStoredRow(8, 8, [](int x, int) { return x < 4 ? 200 : 20; });
    auto result = sketch(step, 0, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedLevel(*result, 3, 4), 0); // |H| = 4·180, limited to 255
    EXPECT_EQ(test::storedLevel(*result, 1, 4), 255); // flat inside
    EXPECT_EQ(test::storedLevel(*result, 0, 4), 255); // border
    const Image soft = test::grayPictureByStoredRow(8, 8, [](int x, int) { return x < 4 ? 30 : 20; });
    auto faint = sketch(soft, 41, run);
    ASSERT_TRUE(faint);
    EXPECT_EQ(test::storedLevel(*faint, 3, 4), 255); // S = 40 is below the threshold
    auto seen = sketch(soft, 40, run);
    ASSERT_TRUE(seen);
    EXPECT_EQ(test::storedLevel(*seen, 3, 4), 215);
}

TEST_F(Effects, PaintingTakesTheFullestBin)
{
    // Columns alternate 10 and 100: in a 3 × 3 window the bins of 10 (bin 1) and 100 (bin 12)
    // hold 6 and 3 or 3 and 6.
    const Image source = test::grayPictureByStoredRow(9, 5, [](int x, int) { return x % 2 ? 100 : 10; });
    auto result = painting(source, 1, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedLevel(*result, 3, 2), 8); // neighbours 2 and 4 are 10
    EXPECT_EQ(test::storedLevel(*result, 4, 2), 96); // neighbours 3 and 5 are 100
    EXPECT_EQ(test::storedLevel(*result, 0, 2), 8); // columns 0, 0, 1: 10 twice
    // Equal counts: the lowest bin wins.
    const Image three = test::grayPictureByStoredRow(3, 1, [](int x, int) { return x == 0 ? 200 : x == 1 ? 40 : 120; });
    auto tie = painting(three, 1, run);
    ASSERT_TRUE(tie);
    EXPECT_EQ(test::storedLevel(*tie, 1, 0), 40);
    EXPECT_EQ(test::storedLevel(*tie, 0, 0), 200);
}

TEST_F(Effects, PaintingMatchesAFullCountOfEveryWindow)
{
    ClassicRandom noise(7);
    const Image source = test::grayPictureByStoredRow(23, 9, [&](int, int) { return noise.next() % 64; });
    for (int radius : { 1, 2, 4 }) {
        auto result = painting(source, radius, run);
        ASSERT_TRUE(result);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 23; ++x) {
                std::array<int, 32> count {};
                for (int dy = -radius; dy <= radius; ++dy)
                    for (int dx = -radius; dx <= radius; ++dx)
                        ++count[std::size_t(
                            test::storedLevel(source, std::clamp(x + dx, 0, 22), std::clamp(y + dy, 0, 8)) / 8)];
                const auto fullest = std::max_element(count.begin(), count.end()) - count.begin();
                EXPECT_EQ(test::storedLevel(*result, x, y), fullest * 8) << radius << " " << x << "," << y;
            }
    }
}

TEST_F(Effects, MotionBlurAveragesTheRowToTheLeft)
{
    const Image source = test::goldenGray();
    auto result = motionBlur(source, 4, run);
    ASSERT_TRUE(result);
    for (int y = 0; y < source.height(); y += 11)
        for (int x = 0; x < source.width(); ++x) {
            int sum = 0;
            for (int j = x - 3; j <= x; ++j)
                sum += test::storedLevel(source, std::max(j, 0), y);
            EXPECT_EQ(test::storedLevel(*result, x, y), sum / 4) << x << "," << y;
        }
    EXPECT_FALSE(motionBlur(source, 0, run));
    const Image thin = test::grayPictureByStoredRow(9, 2, [](int x, int) { return x * 10; });
    auto limited = motionBlur(thin, 10, run); // at most the height: 2
    ASSERT_TRUE(limited);
    EXPECT_EQ(test::storedLevel(*limited, 5, 0), 45);
}

TEST_F(Effects, LensAndTwistLeaveTheCornersAlone)
{
    const Image source = test::goldenRgb();
    const int w = source.width(), h = source.height();
    for (int command = 311; command <= 315; ++command) {
        for (int intensity : { 1, 50, 100 }) {
            auto result = runFilterCommand(command, source, intensity, inputs, run);
            ASSERT_TRUE(result);
            for (auto [x, y] :
                { std::pair { 0, 0 }, { w - 1, 0 }, { 0, h - 1 }, { w - 1, h - 1 }, { 2, 1 }, { w - 3, h - 2 } })
                EXPECT_EQ(storedPixel(*result, x, y), storedPixel(source, x, y)) << command << " " << x << "," << y;
            if (intensity > 1) {
                EXPECT_FALSE(samePixels(*result, source)) << command;
            }
        }
    }
    auto sphere = lensEffect(source, LensKind::Sphere, 0, run);
    ASSERT_TRUE(sphere);
    EXPECT_TRUE(samePixels(*sphere, source));
    auto spiral = twistEffect(source, TwistKind::Spiral, 0, run);
    ASSERT_TRUE(spiral);
    EXPECT_TRUE(samePixels(*spiral, source));
}

TEST_F(Effects, LensTables)
{
    const auto fisheye = lensScaleTable(LensKind::Fisheye, 100);
    EXPECT_EQ(fisheye[256], int(std::pow(0.5, 0.0075 * 100) * 16384));
    EXPECT_LT(fisheye[10], fisheye[500]);
    const auto cone = lensScaleTable(LensKind::Cone, 100);
    EXPECT_GT(cone[10], 16384);
    const auto flat = lensScaleTable(LensKind::Sphere, 0);
    EXPECT_EQ(flat[300], 16384);
    const TwistTables still = twistTables(TwistKind::Whirlpool, 0);
    EXPECT_EQ(still.cosine[100], 16384);
    EXPECT_EQ(still.sine[100], 0);
}

TEST_F(Effects, RibbonShiftsColumnsAndFillsWithTheActiveColour)
{
    const Image source = coordinates(40, 40);
    inputs.active = Rgb { 1, 2, 3 };
    auto result = runFilterCommand(317, source, 100, inputs, run); // amplitude 40·300/400 = 30
    ASSERT_TRUE(result);
    // Column 0 moves up by the whole amplitude: stored row 30 shows row 0, rows below are filled.
    EXPECT_EQ(storedPixel(*result, 0, 30), (Bgr { 0, 0, 7 }));
    EXPECT_EQ(storedPixel(*result, 0, 29), (Bgr { 3, 2, 1 }));
    EXPECT_EQ(storedPixel(*result, 0, 39), (Bgr { 0, 9, 7 }));
    // Source rows above height − A − 1 are never shown.
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y) {
            const Bgr p = storedPixel(*result, x, y);
            if (p != Bgr { 3, 2, 1 }) {
                EXPECT_LE(p.green, 9);
            }
        }
    const Image gray = test::grayPictureByStoredRow(10, 10, [](int, int) { return 0; });
    auto grayResult = ribbon(gray, 15, 100, Rgb { 255, 0, 0 }, run);
    ASSERT_TRUE(grayResult);
    EXPECT_EQ(test::storedLevel(*grayResult, 0, 0), 77); // 0.30 · 255 + 0.5
}

TEST_F(Effects, WrinkleCopiesShiftedPixelsOrTheActiveColour)
{
    const Image source = coordinates(30, 30);
    auto result = wrinkle(source, 100, random, Rgb { 9, 8, 6 }, run);
    ASSERT_TRUE(result);
    int filled = 0;
    for (int y = 0; y < 30; ++y) {
        const int rowShift = storedPixel(*result, 0, y) == Bgr { 6, 8, 9 } ? 1000 : storedPixel(*result, 0, y).blue;
        for (int x = 0; x < 30; ++x) {
            const Bgr p = storedPixel(*result, x, y);
            if (p == Bgr { 6, 8, 9 }) {
                ++filled;
                continue;
            }
            EXPECT_EQ(p.red, 7);
            if (rowShift != 1000) {
                EXPECT_EQ(p.blue - x, rowShift) << "one horizontal shift per row";
            }
        }
    }
    EXPECT_GT(filled, 0);
    auto gray = wrinkle(test::grayPictureByStoredRow(30, 30, [](int, int) { return 0; }), 100, random, Rgb { 200, 0, 0 }, run);
    ASSERT_TRUE(gray);
    bool sawFill = false;
    for (std::uint8_t v : gray->pixels())
        sawFill = sawFill || v == 200;
    EXPECT_TRUE(sawFill);
}

TEST_F(Effects, RippleDisplacements)
{
    const std::vector<int> d = rippleDisplacements(20, 200); // q = 13
    EXPECT_EQ(d[0], 0);
    for (int i = 0; i < 200; ++i)
        EXPECT_LE(std::abs(d[std::size_t(i)]), 4) << i; // 0.25 · 13 + 0.5
    EXPECT_EQ(d[3], int(0.5 + 0.25 * 10 * std::sin(3 * 12.5663706 / 13)));
    const Image source = coordinates(30, 20);
    auto result = ripple(source, 20, run);
    ASSERT_TRUE(result);
    const std::vector<int> all = rippleDisplacements(20, 50);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const Bgr p = storedPixel(*result, x, y);
            EXPECT_EQ(p.blue, std::clamp(x + all[std::size_t(y)], 0, 29));
            EXPECT_EQ(p.green, std::clamp(y + all[std::size_t(x + y)], 0, 19));
        }
}

TEST_F(Effects, CylinderBlendsNeighbouringColumns)
{
    const Image source = test::grayPictureByStoredRow(10, 2, [](int x, int) { return x * 20; });
    auto plain = cylinder(source, 0, run); // sx = x + 0.5: half of each neighbour
    ASSERT_TRUE(plain);
    EXPECT_EQ(test::storedLevel(*plain, 3, 0), 70);
    EXPECT_EQ(test::storedLevel(*plain, 9, 1), 180);
    auto bent = cylinder(source, 50, run);
    ASSERT_TRUE(bent);
    EXPECT_EQ(test::storedLevel(*bent, 0, 0), 9); // sx just below 0.5 at the left edge: weight 127
    EXPECT_EQ(test::storedLevel(*bent, 1, 0), 50); // sx = 2.548: the picture bulges toward the edge
    auto single = cylinder(test::grayPictureByStoredRow(1, 3, [](int, int) { return 42; }), 50, run);
    ASSERT_TRUE(single);
    EXPECT_EQ(test::storedLevel(*single, 0, 1), 42);
}

} // namespace
} // namespace gp
