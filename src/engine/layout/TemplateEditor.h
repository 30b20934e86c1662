#pragma once
// The template editor's drawing rules, in editor pixels: a user template starts as one cell
// covering the page and is cut up with five tools: a vertical or horizontal split at the click,
// an edge drag that moves every cell bordering the line, a merge of two cells that together form
// a rectangle, and a grid split of one cell into columns × rows. No operation makes more than
// 100 cells or (grid split) cells under 20 pixels; a refused operation leaves the cells as they
// were.

#include "base/Geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace gp {

enum class EditorTool { SplitVertical = 0, SplitHorizontal = 1, MoveEdge = 2, Merge = 3, GridSplit = 4 };

// What an operation did: changed the cells, did nothing (the caller beeps), or did nothing
// because it would pass 100 cells (the caller shows "Can't add more cells!").
enum class EditOutcome { Done, Refused, TooManyCells };

// A line across the page that an edge drag moves, with the range it may move in so that no
// cell bordering it becomes thinner than the smallest cell side.
struct EditorEdge {
    bool vertical = true; // a vertical line (left or right edges), else a horizontal one
    int position = 0;
    int lowest = 0;
    int highest = 0;
    friend bool operator==(const EditorEdge&, const EditorEdge&) = default;
};

// Two cells that a merge would join, and the edge they share (a line one pixel wide).
struct MergePair {
    int first = 0;
    int second = 0;
    Rect commonEdge;
};

class TemplateEditor {
public:
    static constexpr int kMaxCells = 100;
    static constexpr std::size_t kMaxNameLength = 50;
    static constexpr int kMinGridCell = 20;
    static constexpr int kMinCellSide = 10;
    static constexpr int kMaxGrid = 5;

    // One cell covering page, named name; a new template.
    void reset(const Rect& page, std::string name);
    // An existing template (its index in the group) with its cells in editor pixels.
    void load(const Rect& page, std::vector<Rect> cells, std::string name, int index);

    const Rect& page() const { return m_page; }
    const std::vector<Rect>& cells() const { return m_cells; }
    const std::string& name() const { return m_name; }
    // The name field keeps at most 50 characters.
    void setName(std::string name);
    bool isNew() const { return m_index < 0; }
    int templateIndex() const { return m_index; }
    // Changed since it was started, loaded or saved.
    bool modified() const { return m_modified; }
    // The template now stands at index of its group, as saved.
    void markSaved(int index);
    // Forgets the stored template it came from: a later save adds a new one.
    void markNew();

    EditorTool tool() const { return m_tool; }
    void setTool(EditorTool tool) { m_tool = tool; }
    int gridColumns() const { return m_gridColumns; }
    int gridRows() const { return m_gridRows; }
    void setGrid(int columns, int rows);

    // The cell that holds the point, or -1.
    int cellAt(Point p) const;

    // Cuts the cell whose core holds p with a vertical (horizontal) line through p: the cell
    // keeps the part left of (above) the line, a new cell takes the rest.
    EditOutcome splitVertical(Point p);
    EditOutcome splitHorizontal(Point p);
    // Replaces the cell under p by columns × rows equal cells, the last column and row taking
    // the remainders.
    EditOutcome gridSplit(Point p, int columns, int rows);
    EditOutcome gridSplit(Point p) { return gridSplit(p, m_gridColumns, m_gridRows); }

    // The two cells whose edge bands hold p and that form a rectangle together, if any.
    std::optional<MergePair> mergePairAt(Point p) const;
    EditOutcome merge(Point p);

    // The line under p that an edge drag would move (never the page's own border).
    std::optional<EditorEdge> edgeAt(Point p) const;
    // Moves every cell edge lying on the line to `to`, limited to the edge's range.
    EditOutcome moveEdge(const EditorEdge& edge, int to);

private:
    EditOutcome split(Point p, bool vertical);

    Rect m_page;
    std::vector<Rect> m_cells;
    std::string m_name;
    int m_index = -1;
    bool m_modified = false;
    EditorTool m_tool = EditorTool::SplitVertical;
    int m_gridColumns = 2;
    int m_gridRows = 2;
};

} // namespace gp
