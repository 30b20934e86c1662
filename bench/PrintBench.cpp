// Printing a 6000 × 4000 photo on a Letter page at 600 dpi to a PDF file, through the whole
// pipeline: page geometry, banded image print, lossless embedding. Reports the process's peak
// resident size next to the size of the decoded photo.

#include "gfx/QtPrinterCatalog.h"
#include "image/Image.h"
#include "print/ImagePrint.h"
#include "print/PrinterState.h"
#include "print/PrintingHost.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sys/resource.h>

namespace {

class QuietHost final : public gp::PrintingHost {
public:
    void message(std::string_view, std::string_view, gp::Icon) override { }
    gp::Answer ask(std::string_view, std::string_view, gp::Buttons, gp::Icon) override { return gp::Answer::Cancel; }
    void beep() override { }
    void setWaitCursor(bool) override { }
    void setStatus(gp::StatusPane, std::string_view) override { }
    bool escapePressed() override { return false; }
};

gp::Image photo()
{
    gp::Image image = gp::Image::create(6000, 4000, 24).value();
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = std::uint8_t(x * 255 / 6000);
            row[3 * x + 1] = std::uint8_t(y * 255 / 4000);
            row[3 * x + 2] = std::uint8_t((x ^ y) & 0xFF);
        }
    }
    return image;
}

void printPhotoToPdf(benchmark::State& state)
{
    const gp::Image image = photo();
    QuietHost host;
    gp::gfx::QtPrinterCatalog catalog;
    gp::PrinterState printer;
    printer.setCatalog(&catalog);
    const auto file = std::filesystem::temp_directory_path() / "glimmer-bench-print.pdf";
    gp::PrinterChoice choice = gp::gfx::filePrinter(gp::gfx::kPdfDriver, file.string());
    choice.mode.page = gp::PageSpec { { 5100, 6600 }, 600, 600, { 5100, 6600 }, { 0, 0 } };
    printer.selection().setChoice(choice);
    gp::PrintPlacement placement;
    placement.scaleX = placement.scaleY = 80; // 750 dpi: 4800 × 3200 device pixels
    for (auto _ : state) {
        const gp::PrintResult result = gp::printImage(
            printer, host, &image, placement, gp::Banding::On, gp::DocumentRoute::NamedFunctions, "bench");
        if (result.errors != 0)
            state.SkipWithError("print failed");
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["photoMB"] = double(image.blockSize()) / (1 << 20);
    state.counters["peakRssMB"] = double(usage.ru_maxrss) / 1024;
    state.counters["pdfMB"] = double(std::filesystem::file_size(file)) / (1 << 20);
    std::filesystem::remove(file);
}
BENCHMARK(printPhotoToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
