#include "layout/LayoutGenerator.h"

#include "layout/PhotoSizeTable.h"

#include <algorithm>
#include <optional>

namespace gp {

namespace {

constexpr int kUnlimited = 10000;

bool passes(SizeFilter filter, Size size)
{
    switch (filter) {
    case SizeFilter::LandscapeOrSquare: return size.width >= size.height;
    case SizeFilter::PortraitOrSquare: return size.height >= size.width;
    case SizeFilter::All: break;
    }
    return true;
}

class Grid {
public:
    Grid(int columns, int rows) : m_columns(columns), m_rows(rows), m_marks(std::size_t(columns) * rows, 0) {}

    // The first free place for a block, scanning rows from the top and columns from the left.
    std::optional<Point> freePlace(Size block) const
    {
        for (int y = 0; y + block.height <= m_rows; ++y)
            for (int x = 0; x + block.width <= m_columns; ++x)
                if (isFree(x, y, block))
                    return Point{x, y};
        return std::nullopt;
    }

    void mark(Point at, Size block, int value)
    {
        for (int y = at.y; y < at.y + block.height; ++y)
            std::fill_n(m_marks.begin() + std::ptrdiff_t(y * m_columns + at.x), block.width, value);
    }

    // The bounding rectangle, in squares, of the squares marked with value.
    Rect bounds(int value) const
    {
        Rect r{m_columns, m_rows, 0, 0};
        for (int y = 0; y < m_rows; ++y)
            for (int x = 0; x < m_columns; ++x)
                if (m_marks[std::size_t(y * m_columns + x)] == value)
                    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
        return r;
    }

    void clear() { std::fill(m_marks.begin(), m_marks.end(), 0); }
    int area() const { return m_columns * m_rows; }

private:
    bool isFree(int x0, int y0, Size block) const
    {
        for (int y = y0; y < y0 + block.height; ++y)
            for (int x = x0; x < x0 + block.width; ++x)
                if (m_marks[std::size_t(y * m_columns + x)] != 0)
                    return false;
        return true;
    }

    int m_columns;
    int m_rows;
    std::vector<int> m_marks;
};

struct Placement {
    int tableIndex;
    Point at;
};

// The first size from index `from` on that passes the filter and fits somewhere.
std::optional<Placement> findFitting(const Grid& grid, int from, SizeFilter filter)
{
    for (int i = from; i < int(kPhotoSizeTable.size()); ++i) {
        const Size size = kPhotoSizeTable[std::size_t(i)];
        if (!passes(filter, size))
            continue;
        if (auto at = grid.freePlace(size))
            return Placement{i, *at};
    }
    return std::nullopt;
}

} // namespace

std::vector<CellTemplate> generateLayouts(int columns, int rows, SizeFilter filter)
{
    std::vector<CellTemplate> layouts;
    Grid grid(std::max(columns, 1), std::max(rows, 1));
    const int lastIndex = int(kPhotoSizeTable.size()) - 1;
    int start = 0;
    int cap = kUnlimited;
    while (start <= lastIndex && int(layouts.size()) < kMaxLayouts) {
        if (!passes(filter, kPhotoSizeTable[std::size_t(start)])) {
            ++start;
            continue;
        }
        // One layout: the start size up to cap times, then whatever fits, largest first.
        int search = start;
        int startPlaced = 0;
        int cells = 0;
        int covered = 0;
        while (covered < grid.area()) {
            const int from = (search == start && startPlaced >= cap) ? search + 1 : search;
            const auto placement = findFitting(grid, from, filter);
            if (!placement)
                break;
            const Size size = kPhotoSizeTable[std::size_t(placement->tableIndex)];
            grid.mark(placement->at, size, cells + 1);
            covered += size.width * size.height;
            search = placement->tableIndex;
            if (search == start)
                ++startPlaced;
            if (startPlaced == 0)
                break;
            ++cells;
        }
        if (cells >= 1 && cells <= CellTemplate::kMaxCells) {
            CellTemplate layout;
            for (int m = 0; m < cells; ++m)
                layout.cells.push_back(grid.bounds(m + 1));
            layouts.push_back(std::move(layout));
        }
        grid.clear();
        // Variants with fewer of the start size, then the next start size.
        cap = startPlaced / 2;
        if (cap == 0 || start == lastIndex) {
            ++start;
            cap = kUnlimited;
        }
    }
    return layouts;
}

} // namespace gp
