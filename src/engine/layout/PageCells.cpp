#include "layout/PageCells.h"

#include <algorithm>

namespace gp {

namespace {

std::vector<Rect> sheetCells(const SheetLayout& sheet, const PageGeometry& page)
{
    std::vector<Rect> cells;
    const int count = std::min(sheet.cellCount(), kMaxCells);
    for (int i = 0; i < count; ++i) {
        Rect c = sheet.cell(i);
        c.left -= page.printingOffset.x;
        c.right -= page.printingOffset.x;
        c.top -= page.printingOffset.y;
        c.bottom -= page.printingOffset.y;
        cells.push_back(c);
    }
    return cells;
}

std::vector<Rect> gridCells(const LayoutList& list, const CellTemplate& layout, const PageGeometry& page)
{
    const int ox = (page.printableWidth - page.dpiX * list.gridColumns) / 2;
    const int oy = (page.printableHeight - page.dpiY * list.gridRows) / 2;
    std::vector<Rect> cells;
    for (const Rect& c : layout.cells)
        cells.push_back({ox + c.left * page.dpiX, oy + c.top * page.dpiY, ox + c.right * page.dpiX,
                         oy + c.bottom * page.dpiY});
    return cells;
}

std::vector<Rect> thousandthCells(const CellTemplate& layout, const PageGeometry& page)
{
    const int ox = (page.printableWidth - page.wholeInchWidth) / 2;
    auto x = [&](int v) { return ox + int(double(v) * page.dpiX / 1000.0); };
    auto y = [&](int v) { return int(double(v) * page.dpiY / 1000.0); };
    std::vector<Rect> cells;
    for (const Rect& c : layout.cells)
        cells.push_back({x(c.left), y(c.top), x(c.right), y(c.bottom)});
    return cells;
}

} // namespace

std::vector<Rect> printerCells(const LayoutList& list, int index, const PageGeometry& page)
{
    std::vector<Rect> cells;
    if (index < 0 || index >= list.entries)
        return cells;
    switch (list.category) {
    case LayoutCategory::Labels:
    case LayoutCategory::OneSize:
        if (std::size_t(index) < list.sheets.size())
            cells = sheetCells(list.sheets[std::size_t(index)], page);
        break;
    case LayoutCategory::Mixed:
    case LayoutCategory::Landscape:
    case LayoutCategory::Portrait:
        if (std::size_t(index) < list.templates.size())
            cells = gridCells(list, list.templates[std::size_t(index)], page);
        break;
    case LayoutCategory::MyTemplates:
        if (std::size_t(index) < list.templates.size())
            cells = thousandthCells(list.templates[std::size_t(index)], page);
        break;
    case LayoutCategory::FreeStyle: break;
    }
    if (cells.size() > std::size_t(kMaxCells))
        cells.resize(kMaxCells);
    return cells;
}

int cellAt(const std::vector<Rect>& cells, Point p)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Rect& c = cells[i];
        if (p.x > c.left + 2 && p.x < c.right - 2 && p.y > c.top + 2 && p.y < c.bottom - 2)
            return int(i);
    }
    return -1;
}

} // namespace gp
