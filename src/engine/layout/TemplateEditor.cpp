#include "layout/TemplateEditor.h"

#include "layout/RectZone.h"

#include <algorithm>
#include <climits>

namespace gp {

void TemplateEditor::reset(const Rect& page, std::string name)
{
    m_page = page;
    m_cells = { page };
    setName(std::move(name));
    m_index = -1;
    m_modified = false;
}

void TemplateEditor::load(const Rect& page, std::vector<Rect> cells, std::string name, int index)
{
    m_page = page;
    m_cells = std::move(cells);
    if (m_cells.size() > std::size_t(kMaxCells))
        m_cells.resize(std::size_t(kMaxCells));
    if (m_cells.empty())
        m_cells = { page };
    setName(std::move(name));
    m_index = index;
    m_modified = false;
}

void TemplateEditor::setName(std::string name)
{
    if (name.size() > kMaxNameLength)
        name.resize(kMaxNameLength);
    if (name != m_name)
        m_modified = true;
    m_name = std::move(name);
}

void TemplateEditor::markSaved(int index)
{
    m_index = index;
    m_modified = false;
}

void TemplateEditor::markNew()
{
    m_index = -1;
    m_modified = true;
}

void TemplateEditor::setGrid(int columns, int rows)
{
    m_gridColumns = std::clamp(columns, 1, kMaxGrid);
    m_gridRows = std::clamp(rows, 1, kMaxGrid);
}

int TemplateEditor::cellAt(Point p) const
{
    for (std::size_t i = 0; i < m_cells.size(); ++i)
        if (m_cells[i].contains(p))
            return int(i);
    return -1;
}

EditOutcome TemplateEditor::split(Point p, bool vertical)
{
    const CutDirection cut = vertical ? CutDirection::Vertical : CutDirection::Horizontal;
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        if (rectZone(m_cells[i], p, cut) != RectZone::Core)
            continue;
        if (int(m_cells.size()) >= kMaxCells)
            return EditOutcome::TooManyCells;
        Rect kept = m_cells[i];
        Rect rest = kept;
        if (vertical)
            kept.right = rest.left = p.x;
        else
            kept.bottom = rest.top = p.y;
        m_cells[i] = kept;
        m_cells.push_back(rest);
        m_modified = true;
        return EditOutcome::Done;
    }
    return EditOutcome::Refused;
}

EditOutcome TemplateEditor::splitVertical(Point p)
{
    return split(p, true);
}

EditOutcome TemplateEditor::splitHorizontal(Point p)
{
    return split(p, false);
}

EditOutcome TemplateEditor::gridSplit(Point p, int columns, int rows)
{
    const int index = cellAt(p);
    if (index < 0 || columns < 1 || rows < 1 || columns * rows == 1)
        return EditOutcome::Refused;
    const Rect cell = m_cells[std::size_t(index)];
    const int width = cell.width() / columns;
    const int height = cell.height() / rows;
    if (width < kMinGridCell || height < kMinGridCell)
        return EditOutcome::Refused;
    if (int(m_cells.size()) + columns * rows - 1 > kMaxCells)
        return EditOutcome::TooManyCells;
    std::vector<Rect> grid;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int left = cell.left + c * width;
            const int top = cell.top + r * height;
            grid.push_back({ left, top, c == columns - 1 ? cell.right : left + width,
                r == rows - 1 ? cell.bottom : top + height });
        }
    // The first grid cell takes the old cell's place, so the cell order stays stable.
    m_cells[std::size_t(index)] = grid.front();
    m_cells.insert(m_cells.end(), grid.begin() + 1, grid.end());
    m_modified = true;
    return EditOutcome::Done;
}

std::optional<MergePair> TemplateEditor::mergePairAt(Point p) const
{
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const Rect& a = m_cells[i];
        const RectZone zoneA = rectZone(a, p);
        if (zoneA != RectZone::Right && zoneA != RectZone::Bottom)
            continue;
        for (std::size_t j = 0; j < m_cells.size(); ++j) {
            const Rect& b = m_cells[j];
            if (j == i)
                continue;
            const RectZone zoneB = rectZone(b, p);
            if (zoneA == RectZone::Right && zoneB == RectZone::Left && a.right == b.left && a.top == b.top
                && a.bottom == b.bottom)
                return MergePair { int(std::min(i, j)), int(std::max(i, j)),
                    { a.right, a.top, a.right + 1, a.bottom } };
            if (zoneA == RectZone::Bottom && zoneB == RectZone::Top && a.bottom == b.top && a.left == b.left
                && a.right == b.right)
                return MergePair { int(std::min(i, j)), int(std::max(i, j)),
                    { a.left, a.bottom, a.right, a.bottom + 1 } };
        }
    }
    return std::nullopt;
}

EditOutcome TemplateEditor::merge(Point p)
{
    const auto pair = mergePairAt(p);
    if (!pair)
        return EditOutcome::Refused;
    Rect& kept = m_cells[std::size_t(pair->first)];
    const Rect& other = m_cells[std::size_t(pair->second)];
    kept = { std::min(kept.left, other.left), std::min(kept.top, other.top), std::max(kept.right, other.right),
        std::max(kept.bottom, other.bottom) };
    m_cells.erase(m_cells.begin() + pair->second);
    m_modified = true;
    return EditOutcome::Done;
}

std::optional<EditorEdge> TemplateEditor::edgeAt(Point p) const
{
    for (const Rect& cell : m_cells) {
        EditorEdge edge;
        switch (rectZone(cell, p)) {
        case RectZone::Left: edge = { true, cell.left }; break;
        case RectZone::Right: edge = { true, cell.right }; break;
        case RectZone::Top: edge = { false, cell.top }; break;
        case RectZone::Bottom: edge = { false, cell.bottom }; break;
        default: continue;
        }
        const int pageLow = edge.vertical ? m_page.left : m_page.top;
        const int pageHigh = edge.vertical ? m_page.right : m_page.bottom;
        if (edge.position <= pageLow || edge.position >= pageHigh)
            continue;
        // The line may move until a cell on either side would become too thin.
        edge.lowest = INT_MIN;
        edge.highest = INT_MAX;
        for (const Rect& c : m_cells) {
            const int low = edge.vertical ? c.left : c.top;
            const int high = edge.vertical ? c.right : c.bottom;
            if (high == edge.position)
                edge.lowest = std::max(edge.lowest, low + kMinCellSide);
            if (low == edge.position)
                edge.highest = std::min(edge.highest, high - kMinCellSide);
        }
        if (edge.lowest > edge.highest)
            continue;
        return edge;
    }
    return std::nullopt;
}

EditOutcome TemplateEditor::moveEdge(const EditorEdge& edge, int to)
{
    const int target = std::clamp(to, edge.lowest, edge.highest);
    if (target == edge.position)
        return EditOutcome::Done;
    bool moved = false;
    for (Rect& c : m_cells) {
        int& low = edge.vertical ? c.left : c.top;
        int& high = edge.vertical ? c.right : c.bottom;
        if (high == edge.position) {
            high = target;
            moved = true;
        } else if (low == edge.position) {
            low = target;
            moved = true;
        }
    }
    if (!moved)
        return EditOutcome::Refused;
    m_modified = true;
    return EditOutcome::Done;
}

} // namespace gp
