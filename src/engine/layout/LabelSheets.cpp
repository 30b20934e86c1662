#include "layout/LabelSheets.h"

#include "shell/StringTable.h"

#include <algorithm>
#include <cstdlib>

namespace gp {

namespace {

int roundedSixHundredths(int pixels, int dpi) { return (pixels * 600 / std::max(dpi, 1) + 10) / 20 * 20; }

// The integers of a comma-separated list; false when a field holds no number.
bool parseIntegers(const std::string& text, std::vector<long>& values)
{
    const char* p = text.c_str();
    while (*p) {
        char* end = nullptr;
        const long v = std::strtol(p, &end, 10);
        if (end == p)
            return false;
        values.push_back(v);
        p = end;
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == ',')
            ++p;
        else if (*p)
            return false;
    }
    return true;
}

int toPixels(long sixHundredths, int dpi)
{
    const long long pixels = static_cast<long long>(sixHundredths) * dpi / 600;
    return int(std::clamp<long long>(pixels, -1000000, 1000000));
}

} // namespace

std::vector<LabelPrefix> readLabelPrefixes(const ProfileFile& labelSpec)
{
    std::vector<LabelPrefix> prefixes;
    for (const auto& [key, value] : labelSpec.readSection(text(StringId::LabelPrefixSection))) {
        if (prefixes.size() == kMaxLabelPrefixes)
            break;
        prefixes.push_back({key.substr(0, 9), value.substr(0, 19)});
    }
    if (prefixes.empty())
        prefixes.push_back(
            {std::string(text(StringId::DefaultLabelPrefixKey)), std::string(text(StringId::DefaultLabelPrefixName))});
    return prefixes;
}

std::string labelSectionName(const std::string& prefixKey, const PageGeometry& page)
{
    return prefixKey + std::to_string(roundedSixHundredths(page.paperWidth, page.dpiX)) + "_" +
           std::to_string(roundedSixHundredths(page.paperHeight, page.dpiY));
}

std::vector<SheetLayout> readLabelSheets(const ProfileFile& labelSpec, const std::string& section,
                                         const PageGeometry& page)
{
    std::vector<SheetLayout> sheets;
    std::size_t keysRead = 0;
    for (const auto& [name, value] : labelSpec.readSection(section)) {
        if (keysRead++ == kMaxLabelSheets)
            break;
        std::vector<long> v;
        if (!parseIntegers(value, v) || v.size() != 8)
            continue;
        SheetLayout s;
        s.name = name.substr(0, 63);
        s.left = toPixels(v[0], page.dpiX);
        s.top = toPixels(v[1], page.dpiY);
        s.cellWidth = toPixels(v[2], page.dpiX);
        s.cellHeight = toPixels(v[3], page.dpiY);
        s.pitchX = std::max(toPixels(v[4], page.dpiX), s.cellWidth);
        s.pitchY = std::max(toPixels(v[5], page.dpiY), s.cellHeight);
        s.columns = int(std::clamp<long>(v[6], 0, 100));
        s.rows = int(std::clamp<long>(v[7], 0, 100));
        if (s.cellWidth <= 0 || s.cellHeight <= 0 || s.columns <= 0 || s.rows <= 0)
            continue;
        sheets.push_back(std::move(s));
    }
    return sheets;
}

SheetLayout wholePageSheet(const PageGeometry& page)
{
    SheetLayout s;
    s.left = page.printingOffset.x;
    s.top = page.printingOffset.y;
    s.cellWidth = s.pitchX = page.printableWidth;
    s.cellHeight = s.pitchY = page.printableHeight;
    s.columns = s.rows = 1;
    return s;
}

} // namespace gp
