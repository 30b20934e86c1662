// glimmerpress-cli matte PHOTO: the single-photo page of the Template command (a matte page or a
// month calendar) printed to a file or a queue.

#include "Commands.h"
#include "PageOptions.h"
#include "app/OpenPhoto.h"
#include "codecs/ReadImageFile.h"
#include "draw/PrintDevice.h"
#include "gfx/QtPrinterCatalog.h"
#include "layout/BackgroundCatalog.h"
#include "layout/Calendar.h"
#include "print/MattePagePrint.h"
#include "print/PrinterState.h"
#include "shell/StringTable.h"

#include <ctime>
#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage =
    "matte PHOTO (-o OUT.pdf|OUT.png | --printer NAME) [--calendar YYYY-MM] [--upper TEXT] [--lower TEXT] "
    "[--landscape] [--size P] [--no-frame] [--background none|color:R,G,B|N] [--page ...]";

// The preview the item rectangles are laid out in: 480 pixels across, the page's proportions.
constexpr int kPreviewWidth = 480;

struct MatteOptions {
    std::string photo;
    OutputOptions output;
    MattePage page;
    int backgroundEntry = 0; // catalogue entry number for --background N
};

bool parseBackground(const std::string& value, MatteOptions& o)
{
    std::vector<int> v;
    if (value == "none") {
        o.page.backgroundKind = 0;
    } else if (value.starts_with("color:")) {
        if (!parseInts(std::string_view(value).substr(6), v) || v.size() != 3)
            return false;
        o.page.backgroundKind = 1;
        o.page.backgroundColor = {std::uint8_t(std::clamp(v[0], 0, 255)), std::uint8_t(std::clamp(v[1], 0, 255)),
                                  std::uint8_t(std::clamp(v[2], 0, 255))};
    } else if (parseInts(value, v) && v.size() == 1 && v[0] >= 1) {
        o.page.backgroundKind = 2;
        o.backgroundEntry = v[0];
    } else {
        return false;
    }
    return true;
}

bool parseOptions(const std::vector<std::string>& args, MatteOptions& o)
{
    std::vector<int> v;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool bad = false;
        if (o.output.take(args, i, bad)) {
            if (bad)
                return false;
        } else if (arg == "--calendar" && hasValue) {
            const std::string& value = args[++i];
            if (value.size() != 7 || value[4] != '-' || !parseInts(value.substr(0, 4), v) || v.size() != 1)
                return false;
            const int year = v[0];
            if (!parseInts(value.substr(5), v) || v.size() != 1 || v[0] < 1 || v[0] > 12 || year < kFirstCalendarYear ||
                year > kLastCalendarYear)
                return false;
            o.page.kind = MatteKind::Calendar;
            o.page.year = year;
            o.page.month = v[0] - 1;
        } else if (arg == "--upper" && hasValue) {
            o.page.upper.text = args[++i].substr(0, MattePage::kMaxTextLength);
        } else if (arg == "--lower" && hasValue) {
            o.page.lower.text = args[++i].substr(0, MattePage::kMaxTextLength);
        } else if (arg == "--landscape") {
            o.page.landscape = true;
        } else if (arg == "--size" && hasValue && parseInts(args[++i], v) && v.size() == 1) {
            o.page.photoPercent = std::clamp(v[0], 5, 100);
        } else if (arg == "--no-frame") {
            o.page.drawFrame = false;
        } else if (arg == "--background" && hasValue) {
            if (!parseBackground(args[++i], o))
                return false;
        } else if (arg.starts_with("-") || !o.photo.empty()) {
            return false;
        } else {
            o.photo = arg;
        }
    }
    return !o.photo.empty() && o.output.valid();
}

// The catalogue picture of an entry for the page's orientation, if it can be read.
std::optional<Image> readBackground(App& app, int entryNumber, bool landscape)
{
    const auto catalogue = BackgroundCatalog::read(ProfileFile(app.paths().asset(text(StringId::BackgroundCatalogFileName))));
    for (const auto& entry : catalogue.entries())
        if (entry.number == entryNumber) {
            const std::string file = landscape ? entry.landscapeFile : entry.portraitFile;
            ReadResult read = readImageFile(app.imageFiles(), app.paths().asset(file).string());
            if (read.ok())
                return std::move(read.image);
        }
    return std::nullopt;
}

} // namespace

int runMatte(CliContext& context)
{
    if (!context.args.empty() && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kUsage
                  << "\n\nPrints the photo on the single-photo page of the Template command: a matte page with an\n"
                     "upper and a lower text, or with --calendar a month calendar below the photo. --size is the\n"
                     "photo size in percent (5..100, default 50); --background N takes entry N of the background\n"
                     "catalogue.\n";
        return kExitOk;
    }
    MatteOptions o;
    if (!parseOptions(context.args, o))
        return usageError(kUsage);
    App& app = context.app;
    Document* document = openPhoto(app, o.photo);
    if (!document)
        return kExitFailed;
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    o.page.startCalendar(local->tm_year + 1900, local->tm_mon);

    gfx::QtPrinterCatalog catalog;
    PrinterState& printer = app.printer();
    printer.setCatalog(&catalog);
    printer.selection().setChoice(o.output.choice());
    // The page's size with its orientation, as the preview reads it.
    printer.selection().setOrientationOverride(o.page.landscape ? OrientationOverride::Landscape
                                                                : OrientationOverride::Portrait);
    const bool hasPrinter = printer.openContext() != nullptr;
    printer.selection().setOrientationOverride(OrientationOverride::None);
    if (!hasPrinter) {
        printer.setCatalog(nullptr);
        app.host().message(text(StringId::CaptionWarning), text(StringId::PrintErrNoDc), Icon::Warning);
        return kExitFailed;
    }
    const PageGeometry& page = printer.geometry();
    const Size preview{kPreviewWidth, int(static_cast<long long>(kPreviewWidth) * page.printableHeight /
                                          std::max(page.printableWidth, 1))};
    placeItems(o.page, preview);
    const Image& photo = document->image();
    o.page.photoRect = fitPhotoWindow(o.page.photoRect, preview, {photo.width(), photo.height()}, o.page.photoPercent);

    std::optional<Image> background;
    if (o.page.backgroundKind >= 2)
        background = readBackground(app, o.backgroundEntry, o.page.landscape);
    const bool printed =
        printMattePage(printer, app.host(), {&o.page, &photo, background ? &*background : nullptr, preview});
    printer.setCatalog(nullptr);
    return printed ? kExitOk : kExitFailed;
}

} // namespace gp::cli
