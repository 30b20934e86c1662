// Documents on screen: the rendering modes painted through Qt (true colour with gamma, the
// dithered cube on 8-bit screens, the corner colours on 4-bit screens), an interrupted paint,
// the histogram drawing and the Image Information figures.

#include "FakeHost.h"
#include "dialogs/HistogramDialog.h"
#include "dialogs/ImageInfoDialog.h"
#include "image/DisplayPalette.h"
#include "image/Document.h"
#include "views/DocumentPainter.h"

#include <QLabel>
#include <QPainter>
#include <QTest>
#include <set>

using namespace gp;
using namespace gp::ui;

namespace {

// A horizontal ramp: red rises with x, green with y, blue fixed.
Image ramp(int w, int h)
{
    Image image = Image::create(w, h, 24).value();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = 90;
            p[1] = std::uint8_t(y * 255 / (h - 1));
            p[2] = std::uint8_t(x * 255 / (w - 1));
        }
    return image;
}

QImage paint(const Image& image, int zoom, DisplaySetup setup, QSize size, std::function<bool()> stop = {},
    QRect* rest = nullptr)
{
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    const QRect left = paintImage(painter, image, zoom, { 0, 0 }, target.rect(), setup, stop);
    if (rest)
        *rest = left;
    return target;
}

} // namespace

class DisplayTest : public QObject {
    Q_OBJECT
private slots:
    void trueColourAppliesGammaAndZoom()
    {
        const Image image = ramp(16, 16);
        const auto gamma = makeGammaTables({ 2000, 1000, 1000 });
        const QImage shot = paint(image, 1, { 24, &gamma, nullptr }, { 32, 32 });
        // Output pixel (5, 9) comes from source (2, 4).
        const QColor c = shot.pixelColor(5, 9);
        QCOMPARE(c.red(), int(gamma[0][image.row(4)[3 * 2 + 2]]));
        QCOMPARE(c.green(), int(image.row(4)[3 * 2 + 1]));
        QCOMPARE(c.blue(), 90);
    }

    void eightBitScreensShowTheDitheredCube()
    {
        const Image image = ramp(64, 64);
        const auto gamma = makeGammaTables({ 1000, 1000, 1000 });
        const DitherTable dither(gamma);
        const QImage shot = paint(image, 0, { 8, &gamma, &dither }, { 64, 64 });
        std::set<int> reds;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const QColor c = shot.pixelColor(x, y);
                QVERIFY(c.red() % 51 == 0 && c.green() % 51 == 0 && c.blue() % 51 == 0);
                reds.insert(c.red());
            }
        QCOMPARE(int(reds.size()), 6);
        // Blue 90 lies between 51 and 102: the dither mixes both, never anything else.
        int upper = 0;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                upper += shot.pixelColor(x, y).blue() == 102;
        QVERIFY(upper > 0 && upper < 64);
    }

    void fourBitScreensShowTheCornerColours()
    {
        const Image image = ramp(32, 32);
        const auto gamma = makeGammaTables({ 1000, 1000, 1000 });
        const QImage shot = paint(image, 0, { 4, &gamma, nullptr }, { 32, 32 });
        QCOMPARE(shot.pixelColor(0, 0), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(31, 0), QColor(255, 0, 0));
        QCOMPARE(shot.pixelColor(31, 31), QColor(255, 255, 0));
        QCOMPARE(shot.pixelColor(0, 31), QColor(0, 255, 0));
    }

    void aStoppedPaintLeavesTheRestForLater()
    {
        const Image image = ramp(20, 20);
        const auto gamma = makeGammaTables({ 1000, 1000, 1000 });
        int rows = 0;
        QRect rest;
        const QImage shot = paint(
            image, 1, { 24, &gamma, nullptr }, { 40, 40 }, [&] { return ++rows > 10; }, &rest);
        QCOMPARE(rest, QRect(0, 10, 40, 30));
        QCOMPARE(shot.pixelColor(39, 20), QColor(Qt::black));
        QVERIFY(shot.pixelColor(39, 9) != QColor(Qt::black));
    }

    void histogramDrawsTheChosenTable()
    {
        Image image = Image::create(10, 10, 24).value();
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                image.row(y)[3 * x + 2] = 200; // all red 200, green and blue 0
        HistogramDialog dialog(nullptr, image);
        dialog.choose(1);
        const QImage red = dialog.panel()->grab().toImage();
        // Column x of the drawing area (inside a 4-pixel margin) shows level (255x + w/2) / w:
        // only the columns of level 200 are drawn, up to the margin, in red.
        const int w = red.width() - 8;
        const int y = red.height() / 2;
        int drawn = 0;
        for (int x = 0; x < w; ++x) {
            const bool level200 = (255 * x + w / 2) / w == 200;
            QCOMPARE(red.pixelColor(4 + x, y), level200 ? QColor(Qt::red) : QColor(Qt::white));
            drawn += level200;
        }
        QVERIFY(drawn >= 1);
        dialog.choose(2);
        const QImage green = dialog.panel()->grab().toImage();
        QCOMPARE(green.pixelColor(4, y), QColor(Qt::green));
        QCOMPARE(green.pixelColor(4 + w / 2, y), QColor(Qt::white));
    }

    void imageInformationUsesTheScreenDpiWithoutResolution()
    {
        DocumentState state;
        state.image = std::make_shared<Image>(Image::create(300, 150, 24).value());
        const Document document(1, "c:\\photos\\a.bmp", std::move(state));
        ImageInfoDialog::setUnit(LengthUnit::Pixel);
        ImageInfoDialog pixels(nullptr, document, 96, ".");
        QCOMPARE(pixels.resolutionText(), QStringLiteral("96 dpi"));
        QCOMPARE(pixels.widthText(), QStringLiteral("300 Pixel"));
        ImageInfoDialog::setUnit(LengthUnit::Inch);
        ImageInfoDialog inches(nullptr, document, 96, ",");
        QCOMPARE(inches.widthText(), QStringLiteral("3,13 Inch"));
        ImageInfoDialog::setUnit(LengthUnit::Pixel);
    }
};

QTEST_MAIN(DisplayTest)
#include "DisplayTest.moc"
