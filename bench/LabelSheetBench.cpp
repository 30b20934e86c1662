// Printing a label sheet of 30 cells (three columns of ten 2-5/8 × 1 inch address labels on US
// Letter), each cell with a different 6000 × 4000 photo, to a PDF file at 600 dpi, the way the
// layout screen prints its page. The photos are made in memory before the clock starts and
// shared with the page's slots, as opened documents share theirs.
//
// Counters: photosMB (the decoded photos' blocks), pageRasterMB (one 24-bit raster of the
// printable area), targetMB (their sum), peakRssMB (the process's resident high-water mark,
// photos included), printExtraMB (how far printing raised that mark above where it stood once
// the photos were made), pdfMB. The allocator's ceiling bounds each photo's block, not their
// sum, so the 30 photos (about 2 GiB) are held at once, as 30 open documents hold them.

#include "SheetPhotos.h"
#include "gfx/PdfPrintDevice.h"
#include "layout/LayoutPage.h"
#include "print/LayoutPagePrint.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sys/resource.h>

namespace {

constexpr int kCells = 30;

double megabytes(double bytes)
{
    return bytes / (1 << 20);
}

double peakRssBytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024;
}

void printLabelSheetToPdf(benchmark::State& state)
{
    gp::LayoutPage page;
    double photoBytes = 0;
    for (int i = 0; i < kCells; ++i) {
        auto photo = std::make_shared<gp::Image>(gp::bench::sheetPhoto(i));
        photoBytes += double(photo->blockSize());
        page.setPhoto(i, std::move(photo));
    }
    gp::LayoutList list;
    list.category = gp::LayoutCategory::Labels;
    list.sheets.push_back({ "Address 1 x 2-5/8 in (30)", 113, 300, 1575, 600, 1650, 600, 3, 10 });
    list.entries = 1;
    const gp::LayoutPrintJob job { &page, &list, 0, {} };

    const gp::PageSpec letter { { 5100, 6600 }, 600, 600, { 5100, 6600 }, { 0, 0 } };
    const auto file = std::filesystem::temp_directory_path() / "glimmer-bench-label-sheet.pdf";
    const double beforePrinting = peakRssBytes();
    for (auto _ : state) {
        gp::gfx::PdfPrintDevice device(letter, QString::fromStdString(file.string()));
        if (!gp::drawLayoutPage(device, job, {}))
            state.SkipWithError("the page was not printed");
    }
    const double pageRaster = double(letter.printable.width) * letter.printable.height * 3;
    state.counters["photosMB"] = megabytes(photoBytes);
    state.counters["pageRasterMB"] = megabytes(pageRaster);
    state.counters["targetMB"] = megabytes(photoBytes + pageRaster);
    state.counters["peakRssMB"] = megabytes(peakRssBytes());
    state.counters["printExtraMB"] = megabytes(peakRssBytes() - beforePrinting);
    std::error_code ignored;
    state.counters["pdfMB"] = megabytes(double(std::filesystem::file_size(file, ignored)));
    std::filesystem::remove(file, ignored);
}
BENCHMARK(printLabelSheetToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
