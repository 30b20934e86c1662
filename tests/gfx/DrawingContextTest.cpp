#include "PrintTestSupport.h"

#include "gfx/QtDrawingContext.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace gp {
namespace {

struct DrawingContextTest : ::testing::Test {
    QImage canvas { 100, 80, QImage::Format_RGB32 };

    DrawingContextTest() { canvas.fill(Qt::white); }

    template <typename Draw> void draw(Draw&& steps, bool forPrinter = false)
    {
        QPainter painter(&canvas);
        gfx::QtDrawingContext context(painter);
        context.setSamplesToDevicePixels(forPrinter);
        steps(context);
    }
    QColor at(int x, int y) const { return canvas.pixelColor(x, y); }
};

TEST_F(DrawingContextTest, StretchesAStoredRowAreaUpright)
{
    const Image photo = test::quadrantPhoto(4, 4);
    // Stored rows 2..3 are the photo's top half; columns 2..3 its right half.
    draw([&](DrawingContext& dc) { EXPECT_TRUE(dc.stretchImage(photo, { 2, 2, 2, 2 }, { 10, 10, 30, 30 })); });
    EXPECT_EQ(at(10, 10), test::kTopRight);
    EXPECT_EQ(at(29, 29), test::kTopRight);
    EXPECT_EQ(at(9, 10), Qt::white);
    EXPECT_EQ(at(30, 29), Qt::white);

    // The whole photo, mirrored by nothing: top-left quadrant at the top-left.
    draw([&](DrawingContext& dc) { EXPECT_TRUE(dc.stretchImage(photo, { 0, 0, 4, 4 }, { 40, 0, 80, 40 })); });
    EXPECT_EQ(at(41, 1), test::kTopLeft);
    EXPECT_EQ(at(78, 1), test::kTopRight);
    EXPECT_EQ(at(41, 38), test::kBottomLeft);
    EXPECT_EQ(at(78, 38), test::kBottomRight);
}

TEST_F(DrawingContextTest, StretchesIndexedImagesThroughTheirColourTable)
{
    Image indexed = Image::create(9, 2, 4).value();
    indexed.setColor(3, Rgbq { 0, 0, 255, 0 });
    indexed.setColor(5, Rgbq { 255, 0, 0, 0 });
    indexed.row(0)[4] = 0x30; // pixel 8 of the top row
    indexed.row(1)[0] = 0x50; // pixel 0 of the bottom row
    draw([&](DrawingContext& dc) { EXPECT_TRUE(dc.stretchImage(indexed, { 0, 0, 9, 2 }, { 0, 0, 90, 20 })); });
    EXPECT_EQ(at(85, 5), QColor(255, 0, 0));
    EXPECT_EQ(at(5, 15), QColor(0, 0, 255));
    EXPECT_EQ(at(45, 5), QColor(0, 0, 0));

    Image mono = Image::create(10, 1, 1).value();
    mono.setColor(0, Rgbq { 0, 0, 0, 0 });
    mono.setColor(1, Rgbq { 255, 255, 255, 0 });
    mono.row(0)[1] = 0x40; // pixel 9
    draw([&](DrawingContext& dc) { EXPECT_TRUE(dc.stretchImage(mono, { 8, 0, 2, 1 }, { 0, 40, 20, 50 })); });
    EXPECT_EQ(at(5, 45), QColor(0, 0, 0));
    EXPECT_EQ(at(15, 45), QColor(255, 255, 255));
}

// A 12 × 6 picture of 3 × 3 blocks, at any depth: a block's centre pixel is blue in every
// other block (a checker pattern), everything else is red.
Image centredCheckers(int bits)
{
    Image image = Image::create(12, 6, bits).value();
    if (bits < 24) {
        image.setColor(0, Rgbq { 0, 0, 250, 0 });
        image.setColor(1, Rgbq { 250, 0, 0, 0 });
    }
    for (int y = 0; y < 6; ++y) {
        std::uint8_t* row = image.row(y);
        for (int x = 0; x < 12; ++x) {
            const int blue = x % 3 == 1 && y % 3 == 1 ? (x / 3 + y / 3) % 2 : 0;
            switch (bits) {
            case 24:
                row[3 * x] = blue ? 250 : 0;
                row[3 * x + 2] = blue ? 0 : 250;
                break;
            case 8: row[x] = std::uint8_t(blue); break;
            case 4: row[x / 2] |= std::uint8_t(blue << (x % 2 ? 0 : 4)); break;
            case 1: row[x / 8] |= std::uint8_t(blue << (7 - x % 8)); break;
            }
        }
    }
    return image;
}

TEST_F(DrawingContextTest, ForAPrinterALargerAreaIsSampledAtPixelCentresInEveryDepth)
{
    // Shrunk to a third, each target pixel must take its block's centre pixel, with the rows in
    // their upright order.
    for (const int bits : { 24, 8, 4, 1 }) {
        const Image picture = centredCheckers(bits);
        canvas.fill(Qt::white);
        draw(
            [&](DrawingContext& dc) {
                EXPECT_TRUE(dc.stretchImage(picture, { 0, 0, 12, 6 }, { 10, 10, 14, 12 }));
            },
            true);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(at(10 + x, 10 + y), (x + y) % 2 ? QColor(0, 0, 250) : QColor(250, 0, 0))
                    << bits << " bits at " << x << "," << y;
        EXPECT_EQ(at(14, 10), Qt::white) << bits << " bits";
    }
    // On a painter turned a quarter, the target's own width still decides: 4 × 2 pixels.
    const Image picture = centredCheckers(24);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.translate(60, 0);
        painter.rotate(90);
        gfx::QtDrawingContext context(painter);
        context.setSamplesToDevicePixels(true);
        EXPECT_TRUE(context.stretchImage(picture, { 0, 0, 12, 6 }, { 10, 10, 14, 12 }));
    }
    // Target pixel (x, y) lands on canvas pixel (60 - 1 - (10 + y), 10 + x).
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(at(49 - y, 10 + x), (x + y) % 2 ? QColor(0, 0, 250) : QColor(250, 0, 0)) << x << "," << y;
}

TEST_F(DrawingContextTest, AnAreaOutsideTheImageIsClampedNotRead)
{
    const Image photo = test::quadrantPhoto(4, 4);
    draw([&](DrawingContext& dc) {
        EXPECT_TRUE(dc.stretchImage(photo, { 3, 3, 10, 10 }, { 0, 0, 10, 10 }));
        EXPECT_TRUE(dc.stretchImage(photo, { 9, 0, 2, 2 }, { 20, 0, 30, 10 }));
        EXPECT_FALSE(dc.stretchImage(photo, { 0, 0, 4, 4 }, { 0, 0, 0, 0 }));
    });
    EXPECT_EQ(at(5, 5), test::kTopRight);
    EXPECT_EQ(at(25, 5), Qt::white);
}

TEST_F(DrawingContextTest, RectanglesLinesAndClipping)
{
    draw([&](DrawingContext& dc) {
        dc.fillRect({ 0, 0, 10, 10 }, Color { 255, 0, 0 });
        dc.frameRect({ 20, 20, 40, 40 }, Pen { Color { 0, 0, 0 }, 3, PenStyle::Solid });
        dc.setClip(Rect { 50, 0, 60, 80 });
        dc.drawLine({ 0, 70 }, { 99, 70 }, Pen { Color { 0, 128, 0 }, 1, PenStyle::Solid });
        dc.setClip(std::nullopt);
        dc.fillRect({ 90, 0, 100, 5 }, Color { 0, 0, 255 });
    });
    EXPECT_EQ(at(9, 9), QColor(255, 0, 0));
    EXPECT_EQ(at(10, 10), Qt::white);
    // A 3-pixel frame lies inside the rectangle's edges.
    EXPECT_EQ(at(20, 30), Qt::black);
    EXPECT_EQ(at(22, 30), Qt::black);
    EXPECT_EQ(at(23, 30), Qt::white);
    EXPECT_EQ(at(39, 30), Qt::black);
    EXPECT_EQ(at(40, 30), Qt::white);
    EXPECT_EQ(at(19, 30), Qt::white);
    EXPECT_EQ(at(55, 70), QColor(0, 128, 0));
    EXPECT_EQ(at(45, 70), Qt::white);
    EXPECT_EQ(at(95, 2), QColor(0, 0, 255));
}

TEST_F(DrawingContextTest, TextIsMeasuredAndAlignedOnItsReferencePoint)
{
    Size one, two;
    draw([&](DrawingContext& dc) {
        FontSpec font;
        font.height = 20;
        one = dc.measureText("MMMM", font);
        two = dc.measureText("MMMMMMMM", font);
        dc.drawText({ 50, 30 }, "MMMM", font, TextAlign::Center, Color {}, false);
    });
    EXPECT_GT(one.width, 0);
    EXPECT_NEAR(two.width, 2 * one.width, 2);
    EXPECT_GE(one.height, 20);
    int left = 100, right = 0;
    for (int y = 30; y < 30 + one.height; ++y)
        for (int x = 0; x < 100; ++x)
            if (qGray(canvas.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2.0, 50, 3);
    for (int x = 0; x < 100; ++x)
        EXPECT_GE(qGray(canvas.pixel(x, 29)), 128);
}

} // namespace
} // namespace gp
