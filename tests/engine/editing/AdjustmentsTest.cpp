#include "FakeHost.h"
#include "Pictures.h"
#include "editing/tone/BrightnessContrast.h"
#include "editing/tone/ChannelTables.h"
#include "editing/tone/HueSaturation.h"
#include "editing/tone/ToneCurve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gp {
namespace {

using test::Bgr;
using test::storedPixel;

class Adjustments : public ::testing::Test {
protected:
    test::FakeHost host;
    Allocator allocator { host };
    FilterRun run { allocator, host, true };

    static Image sixteenColours()
    {
        Image image = Image::create(5, 3, 4).value();
        for (int i = 0; i < 16; ++i)
            image.setColor(i, Rgbq { std::uint8_t(i * 10), std::uint8_t(i * 12), std::uint8_t(i * 15), 0 });
        for (int y = 0; y < 3; ++y)
            for (int b = 0; b < 3; ++b)
                image.storedRow(y)[b] = std::uint8_t(0x12 * (y + b + 1));
        return image;
    }
};

TEST_F(Adjustments, BrightnessAddsAndSaturates)
{
    const Image source = test::rgbPictureByStoredRow(3, 2, [](int x, int i) {
        return Bgr { std::uint8_t(100 * x), std::uint8_t(240 + i), std::uint8_t(10 + x + i) };
    });
    auto result = brightnessContrast(source, ToneChannel::All, 20, 0, run);
    ASSERT_TRUE(result);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const Bgr in = storedPixel(source, x, y), out = storedPixel(*result, x, y);
            EXPECT_EQ(out.blue, std::min(255, in.blue + 20));
            EXPECT_EQ(out.green, 255);
            EXPECT_EQ(out.red, in.red + 20);
        }
}

TEST_F(Adjustments, ContrastCurves)
{
    const LevelTable threshold = brightnessContrastCurve(0, 127);
    EXPECT_EQ(threshold[127], 0);
    EXPECT_EQ(threshold[128], 255);
    EXPECT_EQ(threshold[0], 0);
    EXPECT_EQ(threshold[255], 255);

    const LevelTable flat = brightnessContrastCurve(0, -128);
    EXPECT_EQ(flat[0], 64); // (255·128 + 255) / 511
    EXPECT_EQ(flat[255], 191); // (255·383 + 255) / 511
    EXPECT_EQ(identityTable(), brightnessContrastCurve(0, 0));
}

TEST_F(Adjustments, BrightnessOnRedOnlyLeavesOtherChannels)
{
    const Image source = test::goldenRgb();
    auto result = brightnessContrast(source, ToneChannel::Red, -30, 40, run);
    ASSERT_TRUE(result);
    const LevelTable curve = brightnessContrastCurve(-30, 40);
    for (int y = 0; y < source.height(); y += 3)
        for (int x = 0; x < source.width(); x += 2) {
            const Bgr in = storedPixel(source, x, y), out = storedPixel(*result, x, y);
            EXPECT_EQ(out.blue, in.blue);
            EXPECT_EQ(out.green, in.green);
            EXPECT_EQ(out.red, curve[in.red]);
        }
}

// Three different tables reach their own channel of every pixel at every width, whether the
// pixel falls in a row's whole 64-pixel blocks or in its tail.
TEST_F(Adjustments, ChannelTablesMapEveryPixelOfOddWidths)
{
    ChannelTables tables;
    for (int i = 0; i < 256; ++i) {
        tables.blue[std::size_t(i)] = std::uint8_t(255 - i);
        tables.green[std::size_t(i)] = std::uint8_t(i * 7 + 3);
        tables.red[std::size_t(i)] = std::uint8_t(i / 3);
    }
    for (int width : { 1, 7, 17, 63, 64, 65, 127, 128, 130, 201 }) {
        SCOPED_TRACE(width);
        const Image source = test::randomImage(width, 3, 24, unsigned(width));
        auto result = applyChannelTables(source, tables, run);
        ASSERT_TRUE(result);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const Bgr in = storedPixel(source, x, y), out = storedPixel(*result, x, y);
                ASSERT_EQ(out.blue, tables.blue[in.blue]) << x;
                ASSERT_EQ(out.green, tables.green[in.green]) << x;
                ASSERT_EQ(out.red, tables.red[in.red]) << x;
            }
    }
}

TEST_F(Adjustments, PaletteImagesChangeOnlyTheirPalette)
{
    const Image source = sixteenColours();
    auto result = brightnessContrast(source, ToneChannel::All, 10, 0, run);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->bitsPerPixel(), 4);
    EXPECT_TRUE(std::equal(source.pixels().begin(), source.pixels().end(), result->pixels().begin()));
    EXPECT_EQ(result->color(3), (Rgbq { 40, 46, 55, 0 }));

    auto turned = hueSaturation(source, 120, 0, run);
    ASSERT_TRUE(turned);
    EXPECT_TRUE(std::equal(source.pixels().begin(), source.pixels().end(), turned->pixels().begin()));
    EXPECT_NE(turned->color(3), source.color(3));
}

TEST_F(Adjustments, GrayscaleMapsIndexesThroughTheRedTable)
{
    const Image source = test::grayPictureByStoredRow(4, 2, [](int x, int i) { return 60 * x + i; });
    auto result = brightnessContrast(source, ToneChannel::All, 100, 0, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->color(77), source.color(77));
    EXPECT_EQ(test::storedLevel(*result, 1, 1), 161);
    EXPECT_EQ(test::storedLevel(*result, 3, 0), 255);
}

TEST_F(Adjustments, NothingToDoOrWrongType)
{
    const Image rgb = test::flatRgb(2, 2, { 1, 2, 3 });
    EXPECT_FALSE(brightnessContrast(rgb, ToneChannel::All, 0, 0, run));
    EXPECT_FALSE(hueSaturation(rgb, 0, 0, run));
    const Image bw = Image::create(9, 2, 1).value();
    EXPECT_FALSE(brightnessContrast(bw, ToneChannel::All, 5, 0, run));
    EXPECT_FALSE(applyTone(bw, ToneChannel::All, toneCurve(10, 0, 0), run));
    const Image gray = test::grayPictureByStoredRow(2, 2, [](int, int) { return 9; });
    EXPECT_FALSE(hueSaturation(gray, 30, 0, run));
}

TEST_F(Adjustments, EscapeStopsAndProgressIsShown)
{
    const Image source = test::flatRgb(4, 40, { 9, 9, 9 });
    ASSERT_TRUE(brightnessContrast(source, ToneChannel::All, 5, 0, run));
    ASSERT_GE(host.statusTexts.size(), 3u);
    EXPECT_EQ(host.statusTexts[0], "  Processing: 0%");
    EXPECT_EQ(host.statusTexts[1], "  Processing: 40%");
    EXPECT_EQ(host.statusTexts.back(), "  Ready");
    EXPECT_EQ(host.waitCursorDepth, 0);

    host.escapeAfterPolls = host.escapePolls + 5;
    EXPECT_FALSE(brightnessContrast(source, ToneChannel::All, 5, 0, run));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Adjustments, HueTurnsPrimariesAndKeepsGrays)
{
    const Image source = test::rgbPictureByStoredRow(3, 1, [](int x, int) {
        switch (x) {
        case 0: return Bgr { 0, 0, 255 };
        case 1: return Bgr { 77, 77, 77 };
        default: return Bgr { 0, 255, 0 };
        }
    });
    auto forward = hueSaturation(source, 120, 0, run);
    ASSERT_TRUE(forward);
    EXPECT_EQ(storedPixel(*forward, 0, 0), (Bgr { 0, 255, 0 }));
    EXPECT_EQ(storedPixel(*forward, 1, 0), (Bgr { 77, 77, 77 }));
    EXPECT_EQ(storedPixel(*forward, 2, 0), (Bgr { 255, 0, 0 }));
    auto backward = hueSaturation(source, -120, 0, run);
    ASSERT_TRUE(backward);
    EXPECT_EQ(storedPixel(*backward, 0, 0), (Bgr { 255, 0, 0 }));
    auto half = hueSaturation(source, 60, 0, run);
    ASSERT_TRUE(half);
    EXPECT_EQ(storedPixel(*half, 0, 0), (Bgr { 0, 255, 255 })); // red turns to yellow
}

TEST_F(Adjustments, HueKeepsTheExtremesOfEveryColour)
{
    const Image source = test::goldenRgb();
    for (int h : { -150, -45, 17, 90, 180 }) {
        auto result = hueSaturation(source, h, 0, run);
        ASSERT_TRUE(result);
        for (int y = 0; y < source.height(); y += 4)
            for (int x = 0; x < source.width(); x += 3) {
                const Bgr in = storedPixel(source, x, y), out = storedPixel(*result, x, y);
                EXPECT_EQ(std::max({ in.red, in.green, in.blue }), std::max({ out.red, out.green, out.blue }));
                EXPECT_EQ(std::min({ in.red, in.green, in.blue }), std::min({ out.red, out.green, out.blue }));
            }
    }
}

TEST_F(Adjustments, SaturationMovesTowardOrAwayFromTheMaximum)
{
    const Image source = test::goldenRgb();
    auto gray = hueSaturation(source, 0, 100, run);
    ASSERT_TRUE(gray);
    for (int y = 0; y < source.height(); y += 5)
        for (int x = 0; x < source.width(); x += 4) {
            const Bgr in = storedPixel(source, x, y), out = storedPixel(*gray, x, y);
            const std::uint8_t top = std::max({ in.red, in.green, in.blue });
            EXPECT_EQ(out, (Bgr { top, top, top }));
        }

    const Image one = test::flatRgb(1, 1, { 50, 100, 200 });
    auto apart = hueSaturation(one, 0, -100, run);
    ASSERT_TRUE(apart);
    EXPECT_EQ(storedPixel(*apart, 0, 0), (Bgr { 0, 0, 200 }));
    auto halfway = hueSaturation(one, 0, 50, run);
    ASSERT_TRUE(halfway);
    EXPECT_EQ(storedPixel(*halfway, 0, 0), (Bgr { 125, 150, 200 }));
}

TEST_F(Adjustments, ToneCurveIdentityAndExponents)
{
    EXPECT_EQ(toneCurve(0, 0, 0), identityTable());

    const LevelTable dark = toneCurve(0, -100, 0); // exponent 8
    for (int i : { 1, 64, 128, 200, 254 })
        EXPECT_EQ(dark[std::size_t(i)], int(std::pow(i / 255.0, 8.0) * 255 + 0.5)) << i;
    const LevelTable light = toneCurve(0, 100, 0); // exponent 0.1
    EXPECT_EQ(light[128], int(std::pow(128 / 255.0, 0.1) * 255 + 0.5));

    const LevelTable shadow = toneCurve(0, 0, -50);
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(shadow[std::size_t(i)], 0) << i;
    EXPECT_GT(shadow[101], 0);
    EXPECT_EQ(shadow[255], 255);

    const LevelTable clipped = toneCurve(40, 0, 0);
    EXPECT_EQ(clipped[175], 255);
    EXPECT_LT(clipped[174], 255);

    const LevelTable lifted = toneCurve(-30, 0, 30);
    EXPECT_EQ(lifted[0], 0);
    EXPECT_EQ(lifted[1], 61);
    EXPECT_EQ(lifted[254], 194); // 60 + (254/255)·135 rounded
    EXPECT_EQ(lifted[255], 255);

    const LevelTable crushed = toneCurve(-100, 0, 100); // floor + roof ≥ 255
    EXPECT_EQ(crushed[100], 200);
}

TEST_F(Adjustments, AutoToneFromTheHistogram)
{
    const Image source = test::rgbPictureByStoredRow(211, 1, [](int x, int) {
        const auto v = std::uint8_t(20 + x);
        return Bgr { v, v, v };
    });
    const ToneSliders sliders = autoTone(levelHistogram(source, ToneChannel::All), { 0, 7, 0 });
    EXPECT_EQ(sliders.highlight, 13);
    EXPECT_EQ(sliders.shadow, -10);
    EXPECT_EQ(sliders.midtone, 7);

    const Image dim = test::flatRgb(3, 3, { 0, 0, 255 });
    const LevelHistogram blue = levelHistogram(dim, ToneChannel::Blue);
    EXPECT_EQ(blue[0], 9u);
    const ToneSliders redAuto = autoTone(levelHistogram(dim, ToneChannel::Red), {});
    EXPECT_EQ(redAuto.highlight, 0);
    EXPECT_EQ(redAuto.shadow, -100); // (255 + 1) / 2 limited to 100
    EXPECT_EQ(levelHistogram(dim, ToneChannel::All)[255], 9u);
}

TEST_F(Adjustments, HistogramCountsEveryPixelOfOddWidths)
{
    // The counting splits pixels into pairs and channels into tables of their own; an odd last
    // pixel and each channel must still be counted once.
    for (const int width : { 1, 2, 7, 64, 301 }) {
        const Image source = test::rgbPictureByStoredRow(width, 5, [](int x, int i) {
            return Bgr { std::uint8_t(x * 37 + i), std::uint8_t(x / 3 + i * 50), std::uint8_t((x * x + i) % 256) };
        });
        LevelHistogram plain[5] {};
        for (int i = 0; i < source.height(); ++i)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = source.storedRow(i) + 3 * x;
                ++plain[int(ToneChannel::Blue)][p[0]];
                ++plain[int(ToneChannel::Green)][p[1]];
                ++plain[int(ToneChannel::Red)][p[2]];
                for (int k = 0; k < 3; ++k)
                    ++plain[int(ToneChannel::All)][p[k]];
            }
        for (const ToneChannel channel : { ToneChannel::All, ToneChannel::Red, ToneChannel::Green, ToneChannel::Blue })
            EXPECT_EQ(levelHistogram(source, channel), plain[int(channel)]) << width << " " << int(channel);
    }
}

TEST_F(Adjustments, ToneOnOneChannel)
{
    const Image source = test::goldenRgb();
    const LevelTable curve = toneCurve(20, -30, 10);
    auto result = applyTone(source, ToneChannel::Green, curve, run);
    ASSERT_TRUE(result);
    for (int y = 0; y < source.height(); y += 7)
        for (int x = 0; x < source.width(); x += 5) {
            const Bgr in = storedPixel(source, x, y), out = storedPixel(*result, x, y);
            EXPECT_EQ(out, (Bgr { in.blue, curve[in.green], in.red }));
        }
}

} // namespace
} // namespace gp
