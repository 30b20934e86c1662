#include "layout/LayoutList.h"

#include "layout/LayoutGenerator.h"

#include <algorithm>

namespace gp {

namespace {

void computeGrid(LayoutList& list, const PageGeometry& page)
{
    list.gridColumns = std::max(1, page.printableWidth / page.dpiX);
    list.gridRows = std::max(1, page.printableHeight / page.dpiY);
    list.gridWidth = list.gridColumns * page.dpiX;
    list.gridHeight = list.gridRows * page.dpiY;
    list.gridOffset = {(page.printableWidth - list.gridWidth) / 2, (page.printableHeight - list.gridHeight) / 2};
}

std::vector<SheetLayout> oneSizeGrids(const LayoutList& list, const PageGeometry& page)
{
    std::vector<SheetLayout> grids;
    for (int i = 1; i <= 6; ++i) {
        for (int j = 1; j <= 6; ++j) {
            const int w = list.gridWidth / i, h = list.gridHeight / j;
            if (2 * h < w || 2 * w < h)
                continue;
            SheetLayout s;
            s.left = (page.paperWidth - list.gridWidth) / 2;
            s.top = (page.paperHeight - list.gridHeight) / 2;
            s.cellWidth = s.pitchX = w;
            s.cellHeight = s.pitchY = h;
            s.columns = i;
            s.rows = j;
            grids.push_back(s);
        }
    }
    return grids;
}

std::vector<SheetLayout> labelSheets(const LayoutList& list, const LayoutSources& sources, const PageGeometry& page)
{
    std::vector<SheetLayout> sheets;
    if (sources.labelSpec) {
        const auto prefixes = readLabelPrefixes(*sources.labelSpec);
        const auto& prefix = prefixes[std::size_t(std::clamp(list.prefix, 0, int(prefixes.size()) - 1))];
        sheets = readLabelSheets(*sources.labelSpec, labelSectionName(prefix.key, page), page);
    }
    if (sheets.empty())
        sheets.push_back(wholePageSheet(page));
    return sheets;
}

std::vector<CellTemplate> userTemplates(LayoutList& list, const LayoutSources& sources, const PageGeometry& page)
{
    std::vector<CellTemplate> templates;
    list.templateGroup = sources.templates ? sources.templates->findOrAddGroup(templateGroupKey(page)) : -1;
    if (list.templateGroup < 0)
        return templates;
    const bool landscape = page.wholeInchHeight < page.wholeInchWidth;
    const int height = page.wholeInchHeight * 1000 / page.dpiY;
    const int count = std::min(sources.templates->templateCount(list.templateGroup), kMaxLayouts);
    for (int i = 0; i < count; ++i)
        templates.push_back(sources.templates->get(list.templateGroup, i, landscape ? height : 0));
    return templates;
}

} // namespace

PageSizeKey templateGroupKey(const PageGeometry& page)
{
    return pageSizeKey(page.wholeInchWidth * 1000 / page.dpiX, page.wholeInchHeight * 1000 / page.dpiY);
}

void buildLayoutList(LayoutList& list, const LayoutSources& sources, const PageGeometry& page)
{
    list.sheets.clear();
    list.templates.clear();
    list.templateGroup = -1;
    computeGrid(list, page);
    switch (list.category) {
    case LayoutCategory::Labels:
        list.sheets = list.oneSize ? oneSizeGrids(list, page) : labelSheets(list, sources, page);
        break;
    case LayoutCategory::OneSize:
        list.sheets = oneSizeGrids(list, page);
        list.category = LayoutCategory::Labels;
        list.oneSize = true;
        break;
    case LayoutCategory::Mixed:
        list.templates = generateLayouts(list.gridColumns, list.gridRows, SizeFilter::All);
        break;
    case LayoutCategory::Landscape:
        list.templates = generateLayouts(list.gridColumns, list.gridRows, SizeFilter::LandscapeOrSquare);
        break;
    case LayoutCategory::Portrait:
        list.templates = generateLayouts(list.gridColumns, list.gridRows, SizeFilter::PortraitOrSquare);
        break;
    case LayoutCategory::MyTemplates:
        list.templates = userTemplates(list, sources, page);
        break;
    case LayoutCategory::FreeStyle:
        // The free-style page has no layouts; its list shows a fixed number of empty entries.
        list.entries = 10;
        list.selected = list.displayRows = list.selectedRow = 0;
        return;
    }
    list.entries = int(list.usesSheets() ? list.sheets.size() : list.templates.size());
    list.displayRows = (list.entries - 1) / 3 + 1;
    list.selected = std::clamp(list.selected, 0, std::max(list.entries - 1, 0));
    list.selectedRow = list.selected / 3;
}

} // namespace gp
