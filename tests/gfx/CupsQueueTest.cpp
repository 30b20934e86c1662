// Prints through a real CUPS queue backed by cups-pdf. scripts/test-services.sh starts the
// scheduler and exports the queue's name and the folder its PDFs land in; without them the
// test skips.

#include "PrintTestSupport.h"

#include "ExternalTools.h"
#include "FakeHost.h"
#include "gfx/QtPrinterCatalog.h"
#include "print/ImagePrint.h"
#include "print/PrinterState.h"

#include <QThread>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace gp {
namespace {

namespace fs = std::filesystem;

std::set<fs::path> pdfsIn(const fs::path& folder)
{
    std::set<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ec))
        if (entry.path().extension() == ".pdf")
            found.insert(entry.path());
    return found;
}

// Waits for a new, complete PDF in the folder (cups-pdf writes it after the job ends).
// The first new PDF whose name holds marker (the job's title), once its size stops changing. The
// tests run in parallel, so each looks only for its own job.
std::optional<fs::path> waitForNewPdf(const fs::path& folder, const std::set<fs::path>& before, const std::string& marker)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const fs::path& pdf : pdfsIn(folder)) {
            if (before.count(pdf) || pdf.filename().string().find(marker) == std::string::npos)
                continue;
            const auto size = fs::file_size(pdf);
            QThread::msleep(300);
            if (size > 0 && fs::file_size(pdf) == size)
                return pdf;
        }
        QThread::msleep(100);
    }
    return std::nullopt;
}

struct CupsQueueTest : ::testing::Test {
    std::string queue;
    fs::path outputFolder;

    void SetUp() override
    {
        const char* name = std::getenv("GLIMMER_TEST_CUPS_QUEUE");
        const char* folder = std::getenv("GLIMMER_TEST_CUPS_OUTDIR");
        GLIMMER_REQUIRE(name && *name && folder && *folder, "no CUPS test queue (scripts/test-services.sh starts one)");
        queue = name;
        outputFolder = folder;
    }

    // Prints a 600 × 400 quadrant photo at its pixel size; returns the page rendered at the device's
    // resolution and the geometry it was printed with.
    std::pair<QImage, PageGeometry> printQuadrants(const PrintPlacement& placement, const std::string& marker)
    {
        gfx::QtPrinterCatalog catalog;
        PrinterState printer;
        printer.setCatalog(&catalog);
        auto choice = gfx::queuePrinter(queue);
        EXPECT_TRUE(choice);
        if (!choice)
            return {};
        printer.selection().setChoice(choice);
        test::FakeHost host;
        const Image photo = test::quadrantPhoto(600, 400);
        const auto before = pdfsIn(outputFolder);
        const PrintResult result = printImage(
            printer, host, &photo, placement, Banding::On, DocumentRoute::NamedFunctions, "Glimmerpress-" + marker);
        EXPECT_EQ(result, (PrintResult { 0, false }));
        const auto pdf = waitForNewPdf(outputFolder, before, marker);
        EXPECT_TRUE(pdf) << "no PDF from the queue in " << outputFolder;
        if (!pdf)
            return {};
        return { test::renderPdf(*pdf, printer.geometry().dpiX), printer.geometry() };
    }
};

// Finds the bounding box of the non-white pixels.
QRect inkBox(const QImage& page)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(line[x]) < 235) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

TEST_F(CupsQueueTest, CentredPhotoLandsInTheMiddleOfThePrintableArea)
{
    PrintPlacement placement;
    const auto [page, g] = printQuadrants(placement, "centred");
    ASSERT_FALSE(page.isNull());
    EXPECT_GE(g.paperWidth, g.printableWidth);
    const int left = g.printingOffset.x + (g.printableWidth - 600) / 2;
    const int top = g.printingOffset.y + (g.printableHeight - 400) / 2;
    const QRect ink = inkBox(page);
    EXPECT_NEAR(ink.left(), left, 2);
    EXPECT_NEAR(ink.top(), top, 2);
    EXPECT_NEAR(ink.width(), 600, 3);
    EXPECT_NEAR(ink.height(), 400, 3);
    EXPECT_TRUE(test::near(page.pixel(left + 100, top + 100), test::kTopLeft, 24));
    EXPECT_TRUE(test::near(page.pixel(left + 500, top + 300), test::kBottomRight, 24));
}

TEST_F(CupsQueueTest, PositionedPhotoStartsAtHalfThePrintableWidth)
{
    PrintPlacement placement;
    placement.centerX = false;
    placement.positionX = 5000;
    const auto [page, g] = printQuadrants(placement, "positioned");
    ASSERT_FALSE(page.isNull());
    const QRect ink = inkBox(page);
    EXPECT_NEAR(ink.left(), g.printingOffset.x + g.printableWidth / 2, 2);
    EXPECT_TRUE(test::near(page.pixel(ink.left() + 500, ink.top() + 100), test::kTopRight, 24));
}

} // namespace
} // namespace gp
