#include "PageOptions.h"

#include "gfx/QtPrinterCatalog.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace gp::cli {

bool parseInts(std::string_view text, std::vector<int>& values)
{
    values.clear();
    while (true) {
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc())
            return false;
        values.push_back(value);
        text.remove_prefix(std::size_t(end - text.data()));
        if (text.empty())
            return true;
        if (text.front() != ',')
            return false;
        text.remove_prefix(1);
    }
}

std::optional<PageSpec> parsePage(std::string_view text)
{
    std::vector<int> v;
    if (!parseInts(text, v) || v.size() != 8)
        return std::nullopt;
    PageSpec page{{v[0], v[1]}, v[2], v[3], {v[4], v[5]}, {v[6], v[7]}};
    const bool sane = page.printable.width > 0 && page.printable.height > 0 && page.resolutionX > 0 &&
                      page.resolutionY > 0 && page.offset.x >= 0 && page.offset.y >= 0 &&
                      page.paper.width >= page.offset.x + page.printable.width &&
                      page.paper.height >= page.offset.y + page.printable.height;
    return sane ? std::optional(page) : std::nullopt;
}

PageGeometry geometryOf(const PageSpec& page)
{
    PageGeometry g;
    g.printableWidth = page.printable.width;
    g.printableHeight = page.printable.height;
    g.dpiX = page.resolutionX;
    g.dpiY = page.resolutionY;
    g.printingOffset = page.offset;
    g.paperWidth = page.paper.width;
    g.paperHeight = page.paper.height;
    g.wholeInchWidth = g.dpiX * std::max(1, g.printableWidth / g.dpiX);
    g.wholeInchHeight = g.dpiY * std::max(1, g.printableHeight / g.dpiY);
    return g;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

bool OutputOptions::take(const std::vector<std::string>& args, std::size_t& i, bool& bad)
{
    const std::string& arg = args[i];
    if (i + 1 >= args.size() || (arg != "-o" && arg != "--printer" && arg != "--page"))
        return false;
    const std::string& value = args[++i];
    if (arg == "-o")
        output = value;
    else if (arg == "--printer")
        printer = value;
    else if (!(page = parsePage(value)))
        bad = true;
    return true;
}

bool OutputOptions::valid() const
{
    const bool toFile = !output.empty();
    if (toFile == !printer.empty())
        return false;
    if (toFile && !endsWithNoCase(output, ".pdf") && !endsWithNoCase(output, ".png"))
        return false;
    return !(page && !toFile);
}

PrinterChoice OutputOptions::choice() const
{
    if (!printer.empty()) {
        if (auto queue = gfx::queuePrinter(printer))
            return *queue;
        PrinterChoice missing;
        missing.names = {gfx::kCupsDriver, printer, {}};
        return missing;
    }
    PrinterChoice file = gfx::filePrinter(endsWithNoCase(output, ".pdf") ? gfx::kPdfDriver : gfx::kPngDriver, output);
    file.mode.page = page;
    return file;
}

} // namespace gp::cli
