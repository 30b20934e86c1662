#include "PrintTestSupport.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "gfx/PdfPrintDevice.h"
#include "gfx/QtPrinterCatalog.h"
#include "gfx/RasterPrintDevice.h"
#include "print/ImagePrint.h"
#include "print/PrinterState.h"

#include <QFile>
#include <gtest/gtest.h>

namespace gp {
namespace {

using test::FakeHost;
using test::near;
using test::TempDir;

// A 100 dpi page (8 × 10 inches printable on 8.5 × 11) so one PDF point grid maps simply.
PageSpec smallPage()
{
    PageSpec page;
    page.printable = { 800, 1000 };
    page.resolutionX = page.resolutionY = 100;
    page.paper = { 850, 1100 };
    page.offset = { 25, 50 };
    return page;
}

struct FilePrintTest : ::testing::Test {
    FakeHost host;
    gfx::QtPrinterCatalog catalog;
    PrinterState printer;
    TempDir dir;
    Image photo = test::quadrantPhoto(100, 50);
    PrintPlacement placement;

    FilePrintTest()
    {
        printer.setCatalog(&catalog);
        placement.scaleX = placement.scaleY = 200; // 200 × 100 device pixels
    }

    PrintResult printTo(const char* driver, const std::string& file, const std::optional<PageSpec>& page)
    {
        PrinterChoice choice = gfx::filePrinter(driver, (dir / file).string());
        choice.mode.page = page;
        printer.selection().setChoice(choice);
        return printImage(printer, host, &photo, placement, Banding::On, DocumentRoute::NamedFunctions,
            "Glimmerpress - quadrants.bmp");
    }
};

// The picture's four quadrants and the white around it, for a picture at (left, top) of
// size 200 × 100 in image pixels.
void expectPictureAt(const QImage& page, int left, int top)
{
    ASSERT_FALSE(page.isNull());
    const auto at = [&](int x, int y) { return page.pixel(x, y); };
    EXPECT_TRUE(near(at(left + 5, top + 5), test::kTopLeft)) << std::hex << at(left + 5, top + 5);
    EXPECT_TRUE(near(at(left + 195, top + 5), test::kTopRight));
    EXPECT_TRUE(near(at(left + 5, top + 95), test::kBottomLeft));
    EXPECT_TRUE(near(at(left + 195, top + 95), test::kBottomRight));
    // The edges sit where the placement says, within a pixel of rounding.
    EXPECT_TRUE(near(at(left - 2, top + 50), Qt::white));
    EXPECT_TRUE(near(at(left + 202, top + 50), Qt::white));
    EXPECT_TRUE(near(at(left + 100, top - 2), Qt::white));
    EXPECT_TRUE(near(at(left + 100, top + 102), Qt::white));
    EXPECT_TRUE(near(at(left + 2, top + 75), test::kBottomLeft));
    EXPECT_TRUE(near(at(left + 150, top + 2), test::kTopRight));
}

TEST_F(FilePrintTest, RasterPageHoldsThePrintableAreaWithTheCentredPicture)
{
    ASSERT_EQ(printTo(gfx::kPngDriver, "page.png", smallPage()), (PrintResult { 0, false }));
    const QImage page
        = QImage(QString::fromStdString((dir / "page.png").string())).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(page.size(), QSize(800, 1000));
    EXPECT_EQ(page.dotsPerMeterX(), 3937);
    expectPictureAt(page, 300, 450);
    // Nearest-neighbour stretching: every pixel of the picture is exactly one photo colour.
    for (int y = 450; y < 550; ++y)
        for (int x = 300; x < 500; ++x)
            ASSERT_TRUE(page.pixel(x, y) == test::kTopLeft.rgb() || page.pixel(x, y) == test::kTopRight.rgb()
                || page.pixel(x, y) == test::kBottomLeft.rgb() || page.pixel(x, y) == test::kBottomRight.rgb())
                << x << "," << y;
}

TEST_F(FilePrintTest, NarrowBandsGiveTheSamePage)
{
    const PageSpec page = smallPage();
    const auto render = [&](int bandHeight) {
        gfx::RasterPrintDevice device(page);
        device.setBandHeight(bandHeight);
        EXPECT_GT(device.startDocument("bands"), 0);
        Rect band;
        const Rect imageRect = imageRectOnPage({ 100, 50 }, placement, page.printable);
        int bands = 0;
        while (device.nextBand(band) > 0 && !band.isEmpty()) {
            EXPECT_EQ(drawImagePart(device, host, photo, imageRect, band, "under"), 0u);
            ++bands;
        }
        EXPECT_GT(device.endDocument(), 0);
        EXPECT_EQ(bands, (page.printable.height + bandHeight - 1) / bandHeight);
        return device.pages().at(0);
    };
    const QImage whole = render(1000);
    const QImage strips = render(50);
    EXPECT_EQ(whole, strips);
}

// With an output file the device holds only the band being drawn and writes its rows as the
// next band begins; the file must hold the very page the in-memory device draws, for bands of
// any height and for a page drawn without bands. An abandoned document leaves the old file.
TEST_F(FilePrintTest, PagesWrittenBandByBandMatchThePageDrawnInMemory)
{
    const PageSpec page = smallPage();
    const Rect imageRect = imageRectOnPage({ 100, 50 }, placement, page.printable);
    const auto render = [&](gfx::RasterPrintDevice& device, int bandHeight) {
        device.setBandHeight(bandHeight);
        EXPECT_GT(device.startDocument("bands"), 0);
        Rect band;
        while (device.nextBand(band) > 0 && !band.isEmpty())
            EXPECT_EQ(drawImagePart(device, host, photo, imageRect, band, "under the picture"), 0u);
    };
    const auto inMemory = [&](int bandHeight) {
        gfx::RasterPrintDevice memory(page);
        render(memory, bandHeight);
        EXPECT_GT(memory.endDocument(), 0);
        return memory.pages().at(0).convertToFormat(QImage::Format_RGB32);
    };
    const QImage expected = inMemory(1000);
    const QString file = QString::fromStdString((dir / "banded.png").string());
    for (const int bandHeight : { 1000, 77, 1 }) {
        SCOPED_TRACE(bandHeight);
        gfx::RasterPrintDevice device(page, file);
        render(device, bandHeight);
        EXPECT_GT(device.endDocument(), 0);
        EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), inMemory(bandHeight));
    }
    {
        // Drawn without bands: the page is held whole and written when it is finished.
        gfx::RasterPrintDevice device(page, file);
        ASSERT_GT(device.startDocument("whole"), 0);
        EXPECT_EQ(drawImagePart(device, host, photo, imageRect, Rect { 0, 0, 800, 1000 }, "under the picture"), 0u);
        EXPECT_GT(device.endDocument(), 0);
        EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), expected);
    }
    {
        gfx::RasterPrintDevice device(page, file);
        render(device, 100);
        device.abortDocument();
    }
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no part files are left";
}

TEST_F(FilePrintTest, DescriptionIsWrittenUnderThePicture)
{
    placement.description = "IIIIIIII";
    ASSERT_EQ(printTo(gfx::kPngDriver, "text.png", smallPage()).errors, 0u);
    const QImage page
        = QImage(QString::fromStdString((dir / "text.png").string())).convertToFormat(QImage::Format_RGB32);
    // The text starts 10 pixels under the picture (rows 560 on) and is centred on it.
    int darkAbove = 0, darkBelow = 0, darkLeft = 0, darkRight = 0;
    for (int y = 551; y < 560; ++y)
        for (int x = 300; x < 500; ++x)
            darkAbove += qGray(page.pixel(x, y)) < 128;
    for (int y = 560; y < 620; ++y) {
        for (int x = 300; x < 500; ++x) {
            const bool dark = qGray(page.pixel(x, y)) < 128;
            darkBelow += dark;
            (x < 400 ? darkLeft : darkRight) += dark;
        }
    }
    EXPECT_EQ(darkAbove, 0);
    EXPECT_GT(darkBelow, 50);
    EXPECT_NEAR(double(darkLeft) / darkBelow, 0.5, 0.15);
}

TEST_F(FilePrintTest, PdfPutsThePrintableAreaAtThePrintingOffset)
{
    placement.centerX = false;
    placement.positionX = 5000;
    ASSERT_EQ(printTo(gfx::kPdfDriver, "page.pdf", smallPage()), (PrintResult { 0, false }));
    const QImage page = test::renderPdf(dir / "page.pdf", 100);
    ASSERT_EQ(page.size(), QSize(850, 1100));
    // Left edge at half the printable width, plus the offset; vertically centred.
    expectPictureAt(page, 25 + 400, 50 + 450);
}

TEST_F(FilePrintTest, PdfEmbedsThePhotoLosslesslyAtItsOwnSize)
{
    ASSERT_EQ(printTo(gfx::kPdfDriver, "lossless.pdf", smallPage()).errors, 0u);
    const auto list = test::runTool("pdfimages", { "-list", QString::fromStdString((dir / "lossless.pdf").string()) });
    ASSERT_TRUE(list);
    // The photo arrives in band-sized strips, each at the photo's own pixels, none re-encoded.
    int rows = 0;
    for (const QByteArray& line : list->split('\n').mid(2)) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 9)
            continue;
        EXPECT_EQ(fields[3], "100") << line.toStdString(); // width
        EXPECT_EQ(fields[8], "image") << line.toStdString();
        rows += fields[4].toInt();
    }
    EXPECT_EQ(rows, 50);
}

TEST_F(FilePrintTest, PdfHoldsALargerPhotoAtThePrintersPixelsOnly)
{
    // 1000 × 500 photo pixels on 200 × 100 device pixels: the file carries what a 100 dpi
    // printer would print, not the whole photo.
    photo = test::quadrantPhoto(1000, 500);
    placement.scaleX = placement.scaleY = 20;
    ASSERT_EQ(printTo(gfx::kPdfDriver, "shrunk.pdf", smallPage()).errors, 0u);
    const auto list = test::runTool("pdfimages", { "-list", QString::fromStdString((dir / "shrunk.pdf").string()) });
    ASSERT_TRUE(list);
    int rows = 0;
    for (const QByteArray& line : list->split('\n').mid(2)) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 9)
            continue;
        EXPECT_EQ(fields[3], "200") << line.toStdString();
        rows += fields[4].toInt();
    }
    EXPECT_EQ(rows, 100);
    expectPictureAt(test::renderPdf(dir / "shrunk.pdf", 100), 25 + 300, 50 + 450);
}

TEST_F(FilePrintTest, PdfDefaultsToTheLocalesPaperAt600Dpi)
{
    const PageSpec page = gfx::filePrinterPage(DeviceMode {});
    EXPECT_EQ(page.resolutionX, 600);
    EXPECT_EQ(page.printable, page.paper);
    const QSize locale = gfx::localePaper().sizePixels(600);
    EXPECT_EQ(page.paper, (Size { locale.width(), locale.height() }));

    DeviceMode landscape;
    landscape.paperName = "Letter";
    landscape.orientation = Orientation::Landscape;
    EXPECT_EQ(gfx::filePrinterPage(landscape).paper, (Size { 6600, 5100 }));
}

// Hands out raster devices that answer NEXTBAND as not implemented.
class NoBandsCatalog final : public PrinterCatalog {
public:
    explicit NoBandsCatalog(QString file)
        : m_file(std::move(file))
    {
    }
    std::optional<PrinterChoice> defaultPrinter() override { return gfx::filePrinter(gfx::kPngDriver, "x"); }
    std::vector<DeviceNames> printers() override { return {}; }
    std::unique_ptr<PrintDevice> createDevice(const PrinterChoice&) override
    {
        auto device = std::make_unique<gfx::RasterPrintDevice>(smallPage(), m_file);
        device->setRefusedEscapes({ Escape::NextBand });
        return device;
    }

private:
    QString m_file;
};

TEST_F(FilePrintTest, ADeviceRefusingNextBandPrintsABlankPage)
{
    NoBandsCatalog noBands(QString::fromStdString((dir / "blank.png").string()));
    printer.setCatalog(&noBands);
    const PrintResult result
        = printImage(printer, host, &photo, placement, Banding::On, DocumentRoute::NamedFunctions, "x");
    EXPECT_EQ(result, (PrintResult { PrintError::NextBandMissing, false }));
    QImage page(QString::fromStdString((dir / "blank.png").string()));
    ASSERT_EQ(page.size(), QSize(800, 1000));
    page = page.convertToFormat(QImage::Format_RGB32);
    QImage white(page.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(page, white);
}

TEST_F(FilePrintTest, CancelLeavesNoFileBehind)
{
    host.cancelPrintAtEvent = 1;
    const PrintResult result = printTo(gfx::kPdfDriver, "cancelled.pdf", smallPage());
    EXPECT_TRUE(result.aborted);
    EXPECT_FALSE(std::filesystem::exists(dir / "cancelled.pdf"));
    EXPECT_FALSE(host.printingWindowOpen);
}

TEST_F(FilePrintTest, GeometryComesFromTheDevice)
{
    (void)printTo(gfx::kPdfDriver, "geometry.pdf", smallPage());
    const PageGeometry& g = printer.geometry();
    EXPECT_EQ(g.printableWidth, 800);
    EXPECT_EQ(g.printableHeight, 1000);
    EXPECT_EQ(g.dpiX, 100);
    EXPECT_EQ(g.paperWidth, 850);
    EXPECT_EQ(g.printingOffset, (Point { 25, 50 }));
    EXPECT_EQ(g.wholeInchHeight, 1000);
}

} // namespace
} // namespace gp
