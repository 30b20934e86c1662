// glimmerpress-cli print PHOTO: the Print command for one photo, to a PDF or PNG file or to a
// CUPS queue, with the output resolution, position, description and calibration given as
// options instead of through the Print dialog.

#include "Commands.h"
#include "PageOptions.h"
#include "app/OpenPhoto.h"
#include "gfx/QtPrinterCatalog.h"
#include "image/Document.h"
#include "print/Calibration.h"
#include "print/ImagePrint.h"
#include "print/PrintDocumentName.h"
#include "print/PrintResolution.h"
#include "shell/StringTable.h"

#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage
    = "print PHOTO (-o OUT.pdf|OUT.png | --printer NAME) [--page PW,PH,DX,DY,PAPERW,PAPERH,OFFX,OFFY] [--dpi N] "
      "[--at X,Y | --center] [--description TEXT] [--calibrate [FILE]]";

// The resolution the Print dialog keeps between uses; before the first it is 300 dpi.
constexpr int kFirstOutputResolution = 300;

struct PrintOptions {
    std::string photo;
    OutputOptions output;
    std::optional<int> dpi;
    std::optional<std::pair<int, int>> at;
    std::string description;
    bool calibrate = false;
    std::string calibrationFile;
};

// Reads the options; false on a usage error.
bool parseOptions(const std::vector<std::string>& args, PrintOptions& o)
{
    std::vector<int> values;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool bad = false;
        if (o.output.take(args, i, bad)) {
            if (bad)
                return false;
        } else if (arg == "--dpi" && hasValue) {
            if (!parseInts(args[++i], values) || values.size() != 1 || values[0] < 1)
                return false;
            o.dpi = values[0];
        } else if (arg == "--at" && hasValue) {
            if (!parseInts(args[++i], values) || values.size() != 2 || values[0] < 0 || values[0] > 10000
                || values[1] < 0 || values[1] > 10000)
                return false;
            o.at = std::pair(values[0], values[1]);
        } else if (arg == "--center") {
            o.at.reset();
        } else if (arg == "--description" && hasValue) {
            o.description = args[++i];
        } else if (arg == "--calibrate") {
            o.calibrate = true;
            // A name right after --calibrate is its file once the photo has been named.
            if (hasValue && !o.photo.empty() && !args[i + 1].starts_with("-"))
                o.calibrationFile = args[++i];
        } else if (arg.starts_with("-") || !o.photo.empty()) {
            return false;
        } else {
            o.photo = arg;
        }
    }
    return !o.photo.empty() && o.output.valid();
}

int printPhoto(App& app, const PrintOptions& o)
{
    Document* document = openPhoto(app, o.photo);
    if (!document)
        return kExitFailed;
    const Image& photo = document->image();
    const Size photoSize { photo.width(), photo.height() };

    // The Print dialog reads the printer's resolution and printable size from a context opened
    // for the purpose.
    PrinterState& printer = app.printer();
    printer.selection().setChoice(o.output.choice());
    (void)printer.openContext();
    const PageGeometry& geometry = printer.geometry();
    const PrinterPage page { geometry.dpiX, { geometry.printableWidth, geometry.printableHeight } };
    const int resolution = o.dpi
        ? limitOutputResolution(*o.dpi, photoSize, page)
        : initialOutputResolution(photo.xPelsPerMeter(), kFirstOutputResolution, photoSize, page);

    PrintPlacement placement;
    placement.scaleX = placement.scaleY = printScalePercent(resolution, page);
    if (o.at) {
        placement.centerX = placement.centerY = false;
        placement.positionX = o.at->first;
        placement.positionY = o.at->second;
    }
    placement.description = o.description.substr(0, kMaxDescriptionLength);

    if (o.calibrate)
        app.settings().printCalFlag = 1;
    const auto tables = o.calibrationFile.empty() ? app.paths().asset(text(StringId::PrintCalibrationFile))
                                                  : std::filesystem::path(o.calibrationFile);
    const std::optional<Image> calibrated
        = makePrintCalibratedCopy(photo, app.settings().printCalFlag, tables, app.allocator(), nullptr);
    const PrintResult result = printImage(printer, app.host(), calibrated ? &*calibrated : &photo, placement,
        Banding::On, DocumentRoute::NamedFunctions, printDocumentName(document->title()));
    if (result.errors != 0)
        reportPrintErrors(app.host(), result);
    return result.errors == 0 && !result.aborted ? kExitOk : kExitFailed;
}

} // namespace

int runPrint(CliContext& context)
{
    if (context.args.size() == 1 && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nPrints one photo as the Print command does, banded, with the program's error messages.\n"
                     "  -o OUT.pdf|OUT.png  print to a file: a PDF holds the whole paper with the printable area at\n"
                     "                      the printing offset, a PNG the printable area in device pixels\n"
                     "  --printer NAME      print to a CUPS queue\n"
                     "  --page ...          the file printer's page in device pixels (default: 600 dpi on the\n"
                     "                      locale's paper, all of it printable)\n"
                     "  --dpi N             output resolution, rounded to tens and limited so the photo fits;\n"
                     "                      without it, the photo's own resolution\n"
                     "  --at X,Y            the photo's top-left corner in 1/10000 of the printable size\n"
                     "  --center            centre the photo (the default)\n"
                     "  --description TEXT  a line under the photo, at most 31 characters\n"
                     "  --calibrate [FILE]  print through the calibration tables of printcal.dat (or FILE)\n";
        return kExitOk;
    }
    PrintOptions options;
    if (!parseOptions(context.args, options))
        return usageError(kUsage);
    gfx::QtPrinterCatalog catalog;
    context.app.printer().setCatalog(&catalog);
    const int status = printPhoto(context.app, options);
    context.app.printer().setCatalog(nullptr);
    return status;
}

} // namespace gp::cli
