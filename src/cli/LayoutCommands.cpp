// glimmerpress-cli layouts, templates and page: the layout catalogue for a page, the user's own
// templates, and printing a page of photos in a chosen layout.

#include "Commands.h"
#include "Json.h"
#include "PageOptions.h"
#include "TemplateEditCommand.h"
#include "app/OpenPhoto.h"
#include "draw/PrintDevice.h"
#include "gfx/QtPrinterCatalog.h"
#include "layout/CellReadout.h"
#include "layout/PageCells.h"
#include "layout/PhotoFit.h"
#include "print/LayoutPagePrint.h"
#include "shell/StringTable.h"

#include <cstdio>
#include <iostream>
#include <map>

namespace gp::cli {

namespace {

const std::map<std::string_view, LayoutCategory>& categoryNames()
{
    static const std::map<std::string_view, LayoutCategory> names = {
        {"labels", LayoutCategory::Labels},       {"mixed", LayoutCategory::Mixed},
        {"landscape", LayoutCategory::Landscape}, {"portrait", LayoutCategory::Portrait},
        {"one-size", LayoutCategory::OneSize},    {"my-templates", LayoutCategory::MyTemplates},
        {"free-style", LayoutCategory::FreeStyle},
    };
    return names;
}

// The page the layouts are computed for: --page, else the printer's (or the fallback page).
PageGeometry measurePage(App& app, const OutputOptions& output)
{
    if (output.page)
        return geometryOf(*output.page);
    if (!output.printer.empty()) {
        app.printer().selection().setChoice(output.choice());
        (void)app.printer().openContext();
    }
    return app.printer().geometry();
}

void buildList(App& app, LayoutCategory category, int prefix, const PageGeometry& page)
{
    LayoutList& list = app.layoutList();
    list.category = category;
    list.oneSize = false;
    list.prefix = prefix;
    const ProfileFile labelSpec(app.paths().asset(text(StringId::LabelSpecFileName)));
    (void)app.templateStore().open();
    buildLayoutList(list, {&labelSpec, &app.templateStore()}, page);
}

std::string cellsJson(const std::vector<Rect>& cells)
{
    std::string json = "[";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Rect& c = cells[i];
        json += (i ? ", [" : "[") + std::to_string(c.left) + "," + std::to_string(c.top) + "," + std::to_string(c.right) +
                "," + std::to_string(c.bottom) + "]";
    }
    return json + "]";
}

std::string layoutName(const LayoutList& list, int index)
{
    if (list.usesSheets())
        return list.sheets[std::size_t(index)].name;
    if (std::size_t(index) < list.templates.size())
        return list.templates[std::size_t(index)].name;
    return {};
}

void printLayouts(const LayoutList& list, const PageGeometry& page)
{
    if (list.category == LayoutCategory::FreeStyle)
        return;
    for (int i = 0; i < list.entries; ++i)
        std::cout << JsonLine()
                         .add("index", i)
                         .add("name", layoutName(list, i))
                         .addRaw("cells", cellsJson(printerCells(list, i, page)))
                         .str()
                  << '\n';
}

struct CatalogueInstalled {
    explicit CatalogueInstalled(App& app) : m_app(app) { m_app.printer().setCatalog(&m_catalog); }
    ~CatalogueInstalled() { m_app.printer().setCatalog(nullptr); }
    App& m_app;
    gfx::QtPrinterCatalog m_catalog;
};

constexpr std::string_view kLayoutsUsage =
    "layouts CATEGORY [--page PW,PH,DX,DY,PAPERW,PAPERH,OFFX,OFFY] [--printer NAME] [--prefix N]";

} // namespace

int runLayouts(CliContext& context)
{
    const auto& args = context.args;
    if (args.empty() || args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kLayoutsUsage
                  << "\n\nLists the layouts of a category for a page, one JSON object each, with the cells in\n"
                     "printer pixels of the printable area. CATEGORY: labels, mixed, landscape, portrait,\n"
                     "one-size, my-templates, free-style. --prefix N picks the label family (from 0).\n";
        return args.empty() ? kExitUsage : kExitOk;
    }
    const auto category = categoryNames().find(args[0]);
    if (category == categoryNames().end())
        return usageError(kLayoutsUsage);
    OutputOptions output;
    int prefix = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        bool bad = false;
        std::vector<int> v;
        if (output.take(args, i, bad)) {
            if (bad || !output.output.empty())
                return usageError(kLayoutsUsage);
            continue;
        }
        if (args[i] == "--prefix" && i + 1 < args.size() && parseInts(args[++i], v) && v.size() == 1 && v[0] >= 0)
            prefix = v[0];
        else
            return usageError(kLayoutsUsage);
    }
    CatalogueInstalled catalogue(context.app);
    const PageGeometry page = measurePage(context.app, output);
    buildList(context.app, category->second, prefix, page);
    printLayouts(context.app.layoutList(), page);
    return kExitOk;
}

namespace {

constexpr std::string_view kTemplatesUsage =
    "templates (list | add NAME L,T,R,B[;L,T,R,B...] | delete INDEX | edit NAME OP...) "
    "[--page PW,PH,DX,DY,PAPERW,PAPERH,OFFX,OFFY]";

bool parseRects(const std::string& text, std::vector<Rect>& rects)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        std::vector<int> v;
        if (!parseInts(std::string_view(text).substr(start, end - start), v) || v.size() != 4 || v[2] <= v[0] ||
            v[3] <= v[1])
            return false;
        rects.push_back({v[0], v[1], v[2], v[3]});
        start = end + 1;
    }
    return !rects.empty() && rects.size() <= std::size_t(CellTemplate::kMaxCells);
}

} // namespace

int runTemplates(CliContext& context)
{
    auto args = context.args;
    if (args.empty() || args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kTemplatesUsage
                  << "\n\nLists, adds or deletes the user's own templates of the page's size group (template.udf in\n"
                     "the data folder). Rectangles are in thousandths of an inch on the portrait page.\n"
                     "edit runs the template editor on template NAME (a new one when the group has none of that\n"
                     "name) and saves it; OPs in editor pixels of a page 600 pixels high: split-v:X,Y, split-h:X,Y,\n"
                     "grid:X,Y,COLUMNS,ROWS, merge:X1,Y1,X2,Y2 (press, release), edge:X,Y,TOX,TOY.\n";
        return args.empty() ? kExitUsage : kExitOk;
    }
    OutputOptions output;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool bad = false;
        if (output.take(args, i, bad)) {
            if (bad || !output.output.empty() || !output.printer.empty())
                return usageError(kTemplatesUsage);
        } else {
            words.push_back(args[i]);
        }
    }
    App& app = context.app;
    const PageGeometry page = output.page ? geometryOf(*output.page) : app.printer().geometry();
    TemplateStore& store = app.templateStore();
    if (auto opened = store.open(); !opened) {
        std::cerr << "glimmerpress-cli: " << opened.error().message << '\n';
        return kExitFailed;
    }
    const int group = store.findOrAddGroup(templateGroupKey(page));
    if (group < 0)
        return kExitFailed;
    if (words.size() == 1 && words[0] == "list") {
        buildList(app, LayoutCategory::MyTemplates, 0, page);
        printLayouts(app.layoutList(), page);
        return kExitOk;
    }
    if (words.size() == 3 && words[0] == "add") {
        CellTemplate layout;
        layout.name = templateNameFromEditor(words[1]);
        if (!parseRects(words[2], layout.cells))
            return usageError(kTemplatesUsage);
        return store.add(group, std::move(layout)) ? kExitOk : kExitFailed;
    }
    if (!words.empty() && words[0] == "edit")
        return runTemplateEdit(context, words, page);
    std::vector<int> v;
    if (words.size() == 2 && words[0] == "delete" && parseInts(words[1], v) && v.size() == 1) {
        if (v[0] < 0 || v[0] >= store.templateCount(group)) {
            std::cerr << "glimmerpress-cli: no template " << v[0] << '\n';
            return kExitFailed;
        }
        return store.remove(group, v[0]) ? kExitOk : kExitFailed;
    }
    return usageError(kTemplatesUsage);
}

namespace {

constexpr std::string_view kPageUsage =
    "page CATEGORY INDEX [PHOTO...] (-o OUT.pdf|OUT.png | --printer NAME) [--page ...] [--percent P] "
    "[--copies N] [--margins TOP,LEFT] [--text CELL:TEXT]... [--prefix N] [--report]";

struct PageOptions {
    LayoutCategory category = kDefaultCategory;
    int index = 0;
    std::vector<std::string> photos;
    OutputOptions output;
    int percent = 100;
    int copies = 1;
    std::optional<std::pair<int, int>> margins; // 1/64 inch
    std::vector<std::pair<int, std::string>> texts;
    int prefix = 0;
    bool report = false;
    // -o - with --report: the report alone, nothing printed.
    bool reportOnly() const { return report && output.output == "-"; }
};

bool parsePageOptions(const std::vector<std::string>& args, PageOptions& o)
{
    if (args.size() < 2)
        return false;
    const auto category = categoryNames().find(args[0]);
    std::vector<int> v;
    if (category == categoryNames().end() || !parseInts(args[1], v) || v.size() != 1 || v[0] < 0)
        return false;
    o.category = category->second;
    o.index = v[0];
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool bad = false;
        if (o.output.take(args, i, bad)) {
            if (bad)
                return false;
        } else if (arg == "--percent" && hasValue && parseInts(args[++i], v) && v.size() == 1) {
            o.percent = std::clamp(v[0], 1, 100);
        } else if (arg == "--copies" && hasValue && parseInts(args[++i], v) && v.size() == 1) {
            o.copies = v[0];
        } else if (arg == "--prefix" && hasValue && parseInts(args[++i], v) && v.size() == 1 && v[0] >= 0) {
            o.prefix = v[0];
        } else if (arg == "--margins" && hasValue && parseInts(args[++i], v) && v.size() == 2 && v[0] >= 0 &&
                   v[1] >= 0) {
            o.margins = std::pair(v[0], v[1]);
        } else if (arg == "--report") {
            o.report = true;
        } else if (arg == "--text" && hasValue) {
            const std::string& value = args[++i];
            const std::size_t colon = value.find(':');
            if (colon == std::string::npos || !parseInts(std::string_view(value).substr(0, colon), v) ||
                v.size() != 1 || v[0] < 0 || v[0] >= LayoutPage::kSlots)
                return false;
            o.texts.emplace_back(v[0], value.substr(colon + 1));
        } else if (arg.starts_with("-")) {
            return false;
        } else {
            o.photos.push_back(arg);
        }
    }
    if (o.reportOnly())
        return o.output.printer.empty();
    return o.output.valid();
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

// One line per cell: where it lies, which photo it holds, how large and how sharp that prints.
void printReport(const std::vector<Rect>& cells, const PageOptions& o, const LayoutPage& layoutPage,
    const PageGeometry& page, int lowDpi)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Rect& c = cells[i];
        JsonLine line;
        line.add("index", int(i)).addRaw("rect", "[" + std::to_string(c.left) + "," + std::to_string(c.top) + ","
            + std::to_string(c.right) + "," + std::to_string(c.bottom) + "]");
        const PhotoHandle& photo = layoutPage.photo(int(i));
        const auto print = photo ? cellPrint(c, layoutPage.percent(), {photo->width(), photo->height()}, page, lowDpi)
                                 : std::nullopt;
        if (photo && i < o.photos.size())
            line.add("photo", o.photos[i]);
        else
            line.addRaw("photo", "null");
        if (print) {
            line.addRaw("inches", "[" + number(print->widthInches) + "," + number(print->heightInches) + "]")
                .add("dpi", print->dpi)
                .add("low", print->low);
        } else {
            line.addRaw("inches", "null").addRaw("dpi", "null").add("low", false);
        }
        std::cout << line.str() << '\n';
    }
}

// A caption across the top of the cell's photo box, a tenth of its height, centred.
void addCaption(LayoutPage& page, int cell, const Rect& box, const std::string& caption)
{
    TextItem item;
    item.text = caption;
    item.font.height = std::max(1, box.height() / 10);
    item.align = TextAlign::Center;
    item.rect = {box.left, box.top, box.right, box.top + box.height() / 5};
    page.textListFor(cell, box).add(std::move(item));
}

} // namespace

int runPage(CliContext& context)
{
    if (!context.args.empty() && context.args[0] == "--help") {
        std::cout << "usage: glimmerpress-cli " << kPageUsage
                  << "\n\nPuts the photos into the page's cells in order, selects layout INDEX of CATEGORY and prints\n"
                     "the page as the layout screen does. --margins are in 1/64 inch (default: TOPMARGIN and\n"
                     "LEFTMARGIN of the settings), --text gives a cell a caption.\n";
        return kExitOk;
    }
    PageOptions o;
    if (!parsePageOptions(context.args, o))
        return usageError(kPageUsage);
    App& app = context.app;
    CatalogueInstalled catalogue(app);
    if (o.reportOnly()) {
        const PageGeometry page = o.output.page ? geometryOf(*o.output.page) : app.printer().geometry();
        buildList(app, o.category, o.prefix, page);
        const LayoutList& list = app.layoutList();
        if (list.category != LayoutCategory::FreeStyle && o.index >= list.entries) {
            std::cerr << "glimmerpress-cli: the category has " << list.entries << " layouts\n";
            return kExitFailed;
        }
        for (const std::string& photo : o.photos)
            if (!openPhoto(app, photo))
                return kExitFailed;
        app.layoutPage().setPercent(o.percent);
        printReport(printerCells(list, o.index, page), o, app.layoutPage(), page, readLowResolutionDpi(app.settingsFile()));
        return kExitOk;
    }
    app.printer().selection().setChoice(o.output.choice());
    app.printer().selection().setCopies(o.copies);
    std::unique_ptr<PrintDevice> device = app.printer().openContext();
    if (!device) {
        app.host().message(text(StringId::CaptionWarning), text(StringId::PrintErrNoDc), Icon::Warning);
        return kExitFailed;
    }
    const PageGeometry page = app.printer().geometry();
    buildList(app, o.category, o.prefix, page);
    const LayoutList& list = app.layoutList();
    if (list.category != LayoutCategory::FreeStyle && o.index >= list.entries) {
        std::cerr << "glimmerpress-cli: the category has " << list.entries << " layouts\n";
        return kExitFailed;
    }
    for (const std::string& photo : o.photos)
        if (!openPhoto(app, photo))
            return kExitFailed;
    LayoutPage& layoutPage = app.layoutPage();
    layoutPage.setPercent(o.percent);
    const std::vector<Rect> cells = printerCells(list, o.index, page);
    if (o.report)
        printReport(cells, o, layoutPage, page, readLowResolutionDpi(app.settingsFile()));
    for (const auto& [cell, caption] : o.texts)
        if (std::size_t(cell) < cells.size())
            addCaption(layoutPage, cell, photoBox(cells[std::size_t(cell)], layoutPage.percent()), caption);
    if (layoutPage.isEmpty()) {
        app.host().beep();
        return kExitFailed;
    }
    const PageMargins margins = o.margins
        ? PageMargins{o.margins->first * page.dpiY / 64, o.margins->second * page.dpiX / 64}
        : readPageMargins(app.settingsFile(), page.dpiX, page.dpiY);
    return drawLayoutPage(*device, {&layoutPage, &list, o.index, {}}, margins) ? kExitOk : kExitFailed;
}

} // namespace gp::cli
