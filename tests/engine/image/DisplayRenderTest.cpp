#include "image/DisplayRender.h"
#include "image/DisplayScroll.h"
#include "image/GammaTables.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

const auto kLinear = makeGammaTables({ 1000, 1000, 1000 });

Image rgbImage(int w, int h)
{
    Image image = Image::create(w, h, 24).value();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(x * 10); // blue
            p[1] = std::uint8_t(y * 10); // green
            p[2] = std::uint8_t(100 + x + y); // red
        }
    return image;
}

std::vector<std::uint8_t> render(const DisplayRenderer& r, int y, int x0, int x1)
{
    std::vector<std::uint8_t> out(std::size_t(x1 - x0) * std::size_t(r.bytesPerPixel()));
    r.renderRow(y, x0, x1, out);
    return out;
}

} // namespace

TEST(DisplayPalette, CubeAndCornersFollowTheirFormulas)
{
    const auto cube = cubePalette();
    EXPECT_EQ(cube[0], (Rgbq { 0, 0, 0, 0 }));
    EXPECT_EQ(cube[215], (Rgbq { 255, 255, 255, 0 }));
    const Rgbq c = cube[std::size_t(cubeIndex(1, 2, 3))];
    EXPECT_EQ(c.red, 51);
    EXPECT_EQ(c.green, 102);
    EXPECT_EQ(c.blue, 153);
    const auto corners = cornerPalette();
    EXPECT_EQ(corners[1], (Rgbq { 0, 0, 255, 0 }));
    EXPECT_EQ(corners[6], (Rgbq { 255, 255, 0, 0 }));
}

TEST(DisplayPalette, DitherKeepsCubeLevelsAndSpreadsTheFractions)
{
    const DitherTable dither(kLinear);
    // Levels exactly on the cube come out the same in every cell.
    for (int cell = 0; cell < 64; ++cell)
        EXPECT_EQ(dither.index(cell % 8, cell / 8, 102, 51, 255), cubeIndex(2, 1, 5));
    // Level 25 (about half way between 0 and 51): fraction 31, raised where the threshold is
    // below 31, which is 31 of the 64 cells.
    int raised = 0;
    for (int cell = 0; cell < 64; ++cell)
        raised += dither.index(cell % 8, cell / 8, 25, 0, 0);
    EXPECT_EQ(raised, 31);
    // The cell is taken from column mod 8 and row mod 8: threshold 0 at (0,0) and (8,8).
    EXPECT_EQ(dither.index(0, 0, 1, 0, 0), 1);
    EXPECT_EQ(dither.index(8, 8, 1, 0, 0), 1);
    EXPECT_EQ(dither.index(1, 0, 1, 0, 0), 0);
}

TEST(DisplayRender, ModeFollowsScreenAndImageDepth)
{
    EXPECT_EQ(chooseRenderMode(24, 24), RenderMode::Native);
    EXPECT_EQ(chooseRenderMode(8, 8), RenderMode::Native);
    EXPECT_EQ(chooseRenderMode(8, 24), RenderMode::Cube);
    EXPECT_EQ(chooseRenderMode(4, 24), RenderMode::Corner24);
    EXPECT_EQ(chooseRenderMode(4, 8), RenderMode::CornerIndexed);
}

TEST(DisplayRender, NativeModeAppliesGammaAndRepeatsOnEnlargement)
{
    const Image image = rgbImage(4, 3);
    const auto gamma = makeGammaTables({ 2000, 1000, 500 });
    const DisplayRenderer r(image, 1, RenderMode::Native, gamma, nullptr);
    EXPECT_TRUE(r.rgbOutput());
    EXPECT_EQ(r.zoomedSize(), (Size { 8, 6 }));
    // Output row 3, columns 2..5 come from source row 1, columns 1, 1, 2, 2.
    const auto row = render(r, 3, 2, 6);
    const std::uint8_t* src = image.row(1);
    for (int i = 0; i < 4; ++i) {
        const int sx = (2 + i) / 2;
        EXPECT_EQ(row[std::size_t(3 * i)], gamma[2][src[3 * sx]]);
        EXPECT_EQ(row[std::size_t(3 * i + 1)], gamma[1][src[3 * sx + 1]]);
        EXPECT_EQ(row[std::size_t(3 * i + 2)], gamma[0][src[3 * sx + 2]]);
    }
}

TEST(DisplayRender, ReductionTakesEveryNthPixel)
{
    const Image image = rgbImage(9, 9);
    const DisplayRenderer r(image, -2, RenderMode::Native, kLinear, nullptr);
    EXPECT_EQ(r.zoomedSize(), (Size { 3, 3 }));
    const auto row = render(r, 1, 0, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(row[std::size_t(3 * i)], image.row(3)[9 * i]);
        EXPECT_EQ(row[std::size_t(3 * i + 1)], image.row(3)[9 * i + 1]);
    }
}

TEST(DisplayRender, CubeModeDithersTrueColourOnEightBitScreens)
{
    Image image = Image::create(8, 8, 24).value();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = 255; // blue on the cube
            p[1] = 0;
            p[2] = 25; // red half way between levels 0 and 1
        }
    const DitherTable dither(kLinear);
    const DisplayRenderer r(image, 0, RenderMode::Cube, kLinear, &dither);
    ASSERT_EQ(r.palette().size(), 216u);
    int raised = 0;
    for (int y = 0; y < 8; ++y)
        for (std::uint8_t index : render(r, y, 0, 8)) {
            ASSERT_TRUE(index == cubeIndex(0, 0, 5) || index == cubeIndex(1, 0, 5));
            raised += index == cubeIndex(1, 0, 5);
        }
    EXPECT_EQ(raised, 31);
}

TEST(DisplayRender, CornerModesPickTheNearestCornerColour)
{
    Image rgb = Image::create(3, 1, 24).value();
    const std::uint8_t pixels[] = { 200, 10, 130, 0, 0, 0, 127, 128, 255 };
    std::copy(std::begin(pixels), std::end(pixels), rgb.row(0));
    const DisplayRenderer r(rgb, 0, RenderMode::Corner24, kLinear, nullptr);
    // Pixel 0: blue 200, green 10, red 130 → red and blue; pixel 2: blue 127, green 128, red 255.
    EXPECT_EQ(render(r, 0, 0, 3), (std::vector<std::uint8_t> { 5, 0, 3 }));

    Image indexed = Image::create(2, 1, 8, 2).value();
    indexed.setColor(0, Rgbq { 0, 255, 255, 0 });
    indexed.setColor(1, Rgbq { 255, 0, 0, 0 });
    indexed.row(0)[0] = 1;
    indexed.row(0)[1] = 0;
    const DisplayRenderer ri(indexed, 0, RenderMode::CornerIndexed, kLinear, nullptr);
    EXPECT_EQ(render(ri, 0, 0, 2), (std::vector<std::uint8_t> { 4, 3 }));
}

TEST(DisplayRender, IndexedImagesKeepTheirIndicesWithAGammaPalette)
{
    Image image = Image::create(8, 1, 4).value();
    image.setColor(3, Rgbq { 10, 100, 200, 0 });
    image.row(0)[0] = 0x30; // pixel 0 = 3, pixel 1 = 0
    const auto gamma = makeGammaTables({ 1000, 2000, 1000 });
    const DisplayRenderer r(image, 0, RenderMode::Native, gamma, nullptr);
    EXPECT_FALSE(r.rgbOutput());
    EXPECT_EQ(render(r, 0, 0, 2), (std::vector<std::uint8_t> { 3, 0 }));
    EXPECT_EQ(r.palette()[3], (Rgbq { 10, gamma[1][100], 200, 0 }));
}

TEST(DisplayRender, AreaIsClippedToTheImageAndStopsWhenAsked)
{
    const Image image = rgbImage(10, 10);
    const DisplayRenderer r(image, 1, RenderMode::Native, kLinear, nullptr);
    std::vector<int> rows;
    int firstColumn = -1;
    std::size_t width = 0;
    const int end = r.renderArea({ 5, 15, 40, 30 }, nullptr, [&](int y, int x0, std::span<const std::uint8_t> row) {
        rows.push_back(y);
        firstColumn = x0;
        width = row.size();
    });
    EXPECT_EQ(end, 20);
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_EQ(firstColumn, 5);
    EXPECT_EQ(width, 15u * 3);

    int polls = 0;
    rows.clear();
    const int stopped = r.renderArea(
        { 0, 0, 20, 20 }, [&] { return ++polls > 3; },
        [&](int y, int, std::span<const std::uint8_t>) { rows.push_back(y); });
    EXPECT_EQ(stopped, 3);
    EXPECT_EQ(rows, (std::vector<int> { 0, 1, 2 }));
}

TEST(DisplayScroll, RangesMakeRoomForTheBarsTheyBringOn)
{
    const ScrollBarThickness bars { 16, 16 };
    // Fits: no ranges.
    EXPECT_EQ(computeScrollRanges({ 100, 100 }, { 200, 200 }, 0, bars).horizontal, 0);
    // Too wide only: the horizontal bar takes height, which here brings on the vertical bar.
    const auto wide = computeScrollRanges({ 300, 190 }, { 200, 200 }, 0, bars);
    EXPECT_EQ(wide.horizontal, 300 - 200 + 16 - 1);
    EXPECT_EQ(wide.vertical, 190 - 200 + 16 - 1);
    // Too tall, and the vertical bar's width pushes a just-fitting width over.
    const auto tall = computeScrollRanges({ 195, 400 }, { 200, 200 }, 0, bars);
    EXPECT_EQ(tall.horizontal, 195 - 200 + 16 - 1);
    EXPECT_EQ(tall.vertical, 400 - 200 + 16 - 1);
    // Rulers add to both sides.
    EXPECT_EQ(computeScrollRanges({ 200, 100 }, { 200, 200 }, 19, bars).horizontal, 18);

    EXPECT_EQ(rescaleScrollPosition(50, 100, 200), 100);
    EXPECT_EQ(rescaleScrollPosition(50, 0, 20), 20);
    EXPECT_EQ(scrollLineStep(5), 1);
    EXPECT_EQ(scrollPageStep(300, 19), 281);
}
