#include "image/ColorConversion.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "app/ColorConversionCommands.h"
#include "image/ImageType.h"
#include "app/App.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

#include <set>

using namespace gp;

namespace {

struct Conversion : ::testing::Test {
    test::FakeHost host;
    Allocator allocator { host };

    Image rgb(int width, int height, std::initializer_list<std::array<std::uint8_t, 3>> rgbPixels)
    {
        Image image = std::move(Image::create(width, height, 24)).value();
        image.setResolution(3780, 3780);
        int i = 0;
        for (const auto& p : rgbPixels) {
            std::uint8_t* out = image.row(i / width) + 3 * (i % width);
            out[0] = p[2], out[1] = p[1], out[2] = p[0];
            ++i;
        }
        return image;
    }

    Image flat(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        Image image = std::move(Image::create(width, height, 24)).value();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = image.row(y) + 3 * x;
                p[0] = blue, p[1] = green, p[2] = red;
            }
        return image;
    }

    static int nibble(const Image& image, int storedRow, int x)
    {
        const std::uint8_t b = image.storedRow(storedRow)[x / 2];
        return x % 2 == 0 ? b >> 4 : b & 0x0F;
    }
};

} // namespace

TEST_F(Conversion, GrayValuesOfThePrimariesAddUpToWhite)
{
    EXPECT_EQ(grayValue(0, 0, 255), 76);
    EXPECT_EQ(grayValue(0, 255, 0), 150);
    EXPECT_EQ(grayValue(255, 0, 0), 29);
    EXPECT_EQ(grayValue(255, 255, 255), 255);

    auto gray = convertToGray(
        rgb(4, 1, { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 255, 255, 255 } }), allocator, nullptr);
    ASSERT_TRUE(gray);
    EXPECT_EQ(imageTypeOf(&*gray), ImageType::Gray8);
    EXPECT_EQ(gray->xPelsPerMeter(), 3780);
    const std::uint8_t* row = gray->row(0);
    EXPECT_EQ(std::vector<int>(row, row + 4), (std::vector<int> { 76, 150, 29, 255 }));
}

TEST_F(Conversion, IndexedSourcesGoThroughTheirColourTable)
{
    Image indexed = std::move(Image::create(3, 1, 4, 2)).value();
    indexed.setColor(0, Rgbq { 0, 0, 255, 0 }); // red
    indexed.setColor(1, Rgbq { 255, 255, 255, 0 }); // white
    indexed.row(0)[0] = 0x10; // 1, 0
    indexed.row(0)[1] = 0x50; // 5: past the table, black
    auto gray = convertToGray(indexed, allocator, nullptr);
    ASSERT_TRUE(gray);
    EXPECT_EQ(gray->row(0)[0], 255);
    EXPECT_EQ(gray->row(0)[1], 76);
    EXPECT_EQ(gray->row(0)[2], 0);
    auto bw = convertToBlackWhite(indexed, allocator, nullptr);
    ASSERT_TRUE(bw);
    EXPECT_EQ(bw->row(0)[0], 0x80);
}

TEST_F(Conversion, ThresholdSplitsBetween127And128AndPacksFromTheHighBit)
{
    std::initializer_list<std::array<std::uint8_t, 3>> pixels = { { 127, 127, 127 }, { 128, 128, 128 }, { 0, 0, 0 },
        { 0, 0, 0 }, { 0, 0, 0 }, { 0, 0, 0 }, { 0, 0, 0 }, { 0, 0, 0 }, { 255, 255, 255 } };
    ASSERT_EQ(grayValue(127, 127, 127), 127);
    auto bw = convertToBlackWhite(rgb(9, 1, pixels), allocator, nullptr);
    ASSERT_TRUE(bw);
    EXPECT_EQ(imageTypeOf(&*bw), ImageType::BlackWhite);
    EXPECT_EQ(bw->color(0), (Rgbq { 0, 0, 0, 0 }));
    EXPECT_EQ(bw->color(1), (Rgbq { 255, 255, 255, 0 }));
    EXPECT_EQ(bw->row(0)[0], 0b01000000);
    EXPECT_EQ(bw->row(0)[1], 0b10000000);
    EXPECT_FALSE(convertToBlackWhite(*bw, allocator, nullptr));
}

TEST_F(Conversion, WideningFollowsTheColourTableEvenWhenItLooksInverted)
{
    Image bits = std::move(Image::create(2, 1, 1)).value();
    bits.setColor(0, Rgbq { 255, 255, 255, 0 });
    bits.setColor(1, Rgbq { 0, 0, 0, 0 });
    bits.row(0)[0] = 0x40; // pixel 0 index 0 (white), pixel 1 index 1 (black)
    auto wide = convertColorMode(bits, ColorMode::TrueColor, allocator);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->row(0)[0], 255);
    EXPECT_EQ(wide->row(0)[3], 0);
    EXPECT_FALSE(convertColorMode(*wide, ColorMode::TrueColor, allocator));
}

TEST_F(Conversion, SixteenColoursDiffuseTheErrorAlongTheFirstRow)
{
    auto reduced = convertTo16Colors(flat(7, 2, 100, 100, 100), allocator, nullptr);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(imageTypeOf(&*reduced), ImageType::Indexed4);
    EXPECT_EQ(reduced->color(9), (Rgbq { 0, 0, 255, 0 }));
    EXPECT_EQ(reduced->color(8), (Rgbq { 192, 192, 192, 0 }));
    std::vector<int> first;
    for (int x = 0; x < 7; ++x)
        first.push_back(nibble(*reduced, 0, x));
    // 100 -> 0 (error 100), 200 -> 15 (-55), 45 -> 0, 145 -> 15 (-110), -10 -> 0, 90 -> 0, 180 -> 15.
    EXPECT_EQ(first, (std::vector<int> { 0, 15, 0, 15, 0, 0, 15 }));
    EXPECT_EQ(reduced->storedRow(0)[3] & 0x0F, 0); // the odd last pixel stands alone in its high nibble

    auto red = convertTo16Colors(flat(3, 3, 255, 0, 0), allocator, nullptr);
    ASSERT_TRUE(red);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(nibble(*red, y, x), 9);

    Image fourBit = std::move(Image::create(2, 2, 4)).value();
    EXPECT_FALSE(convertTo16Colors(fourBit, allocator, nullptr));
}

TEST_F(Conversion, PaletteOfAFewExactColoursReproducesThemInCountOrder)
{
    // 5 blue, 3 white, 1 red: three cells whose 5-bit levels widen back to the same values.
    Image image = rgb(9, 1,
        { { 0, 0, 255 }, { 0, 0, 255 }, { 0, 0, 255 }, { 0, 0, 255 }, { 0, 0, 255 }, { 255, 255, 255 },
            { 255, 255, 255 }, { 255, 255, 255 }, { 255, 0, 0 } });
    for (auto mapping : { PaletteMapping::Plain, PaletteMapping::OrderedDither, PaletteMapping::ErrorDiffusion }) {
        auto reduced = convertTo256Colors(image, mapping, allocator, nullptr);
        ASSERT_TRUE(reduced);
        EXPECT_EQ(reduced->colorCount(), 256);
        EXPECT_EQ(reduced->color(0), (Rgbq { 255, 0, 0, 0 }));
        EXPECT_EQ(reduced->color(1), (Rgbq { 255, 255, 255, 0 }));
        EXPECT_EQ(reduced->color(2), (Rgbq { 0, 0, 255, 0 }));
        const std::uint8_t* row = reduced->row(0);
        EXPECT_EQ(std::vector<int>(row, row + 9), (std::vector<int> { 0, 0, 0, 0, 0, 1, 1, 1, 2 }));
    }
    EXPECT_FALSE(
        convertTo256Colors(std::move(Image::create(2, 2, 8)).value(), PaletteMapping::Plain, allocator, nullptr));
}

TEST_F(Conversion, SmoothGradientUsesManyColoursAndStaysClose)
{
    Image image = std::move(Image::create(256, 64, 24)).value();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(y * 4), p[1] = std::uint8_t(255 - x), p[2] = std::uint8_t(x);
        }
    for (auto mapping : { PaletteMapping::Plain, PaletteMapping::OrderedDither, PaletteMapping::ErrorDiffusion }) {
        auto reduced = convertTo256Colors(image, mapping, allocator, nullptr);
        ASSERT_TRUE(reduced);
        std::set<int> used;
        long error = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x) {
                const int index = reduced->row(y)[x];
                used.insert(index);
                const Rgbq c = reduced->color(index);
                const std::uint8_t* p = image.row(y) + 3 * x;
                error += std::abs(c.blue - p[0]) + std::abs(c.green - p[1]) + std::abs(c.red - p[2]);
            }
        EXPECT_GT(used.size(), 100u);
        EXPECT_LT(error / (256 * 64 * 3), 8);
    }
}

TEST_F(Conversion, ProgressIsShownAndEscapeStopsWithNothing)
{
    Image image = flat(8, 40, 10, 20, 30);
    ConversionProgress progress(host, StringId::ProgressConverting);
    ASSERT_TRUE(convertToGray(image, allocator, &progress));
    EXPECT_EQ(host.statusTexts,
        (std::vector<std::string> { "  Converting: 0%", "  Converting: 40%", "  Converting: 80%", "  Ready" }));
    host.escapeAfterPolls = host.escapePolls + 1;
    EXPECT_FALSE(convertToGray(image, allocator, &progress));
    host.escapeAfterPolls = host.escapePolls;
    ConversionProgress processing(host, StringId::ProgressProcessing);
    EXPECT_FALSE(convertTo256Colors(image, PaletteMapping::OrderedDither, allocator, &processing));
}

TEST(ConversionCommands, MakeANewUntitledDocumentAndLeaveTheSourceAlone)
{
    test::TempDir dir;
    test::FakeHost host;
    App app(host, Paths { dir.path(), dir.path(), dir.path(), dir.path() });
    EXPECT_EQ(app.execute(command::ToGrayscale), 0); // no document: nothing, no beep
    EXPECT_EQ(host.beeps, 0);

    Image image = std::move(Image::create(3, 2, 24)).value();
    image.row(0)[2] = 255; // a red pixel
    Document* source = app.documents().create(std::move(image), "c:/a.bmp");
    EXPECT_EQ(app.execute(command::ToGrayscale), 0);
    Document* gray = app.activeDocument();
    ASSERT_NE(gray, source);
    EXPECT_EQ(gray->title(), "Untitled-Grayscale-00");
    EXPECT_EQ(imageTypeOf(&gray->image()), ImageType::Rgb24);
    EXPECT_EQ(gray->image().row(0)[0], 76);
    EXPECT_EQ(source->image().row(0)[2], 255);
    EXPECT_FALSE(source->state().modified);

    app.documents().setActive(source);
    EXPECT_EQ(app.execute(command::ToTrueColor), 0); // a window always holds 24 bit: nothing
    EXPECT_EQ(app.execute(command::To256Colors), 0);
    EXPECT_EQ(app.activeDocument()->title(), "Untitled-256 Color-01");
    EXPECT_EQ(app.documents().count(), 3u);
    EXPECT_EQ(host.beeps, 0);
}
