#pragma once
// Texts composed over a cell's photo or on the free-style page. A text item keeps its text, font,
// colour, alignment and rectangle in the coordinates of the rectangle the list was composed in;
// drawing a list into another rectangle moves and scales everything by the ratio of the larger
// sides, so a text keeps its size relative to its cell on screen and on paper.

#include "draw/DrawingContext.h"

#include <string>
#include <vector>

namespace gp {

struct TextItem {
    static constexpr std::size_t kMaxLength = 1023;
    std::string text; // lines separated by carriage returns
    FontSpec font;    // height in the composing rectangle's units
    Color color;
    TextAlign align = TextAlign::Left;
    Rect rect;
    friend bool operator==(const TextItem&, const TextItem&) = default;
};

class TextList {
public:
    static constexpr std::size_t kMaxItems = 99;

    TextList() = default;
    explicit TextList(Rect composedIn) : m_rect(composedIn) {}

    const Rect& rect() const { return m_rect; }
    const std::vector<TextItem>& items() const { return m_items; }
    std::vector<TextItem>& items() { return m_items; }
    // False, and the list unchanged, when it already holds 99 items.
    bool add(TextItem item);

    // Whether the list may be drawn into box: their proportions differ by less than 10 %.
    bool fits(const Rect& box) const;

    // Draws every item into target, transparently, line by line from the top of its rectangle;
    // lines starting below the target are left out, and an item whose scaled font height is 0
    // is not drawn. fontScale multiplies the font heights (1 for drawing at composing size).
    void draw(DrawingContext& dc, const Rect& target, double fontScale = 1.0) const;

    friend bool operator==(const TextList&, const TextList&) = default;

private:
    Rect m_rect;
    std::vector<TextItem> m_items;
};

// The lines of a text, split at carriage returns (a line feed after one is dropped), with tabs
// expanded to the next multiple of 8 columns.
std::vector<std::string> textLines(const std::string& text);

// The area an item's lines cover when drawn at its own size in its own rectangle: from the
// leftmost to the rightmost line as its alignment places them, one line height per line. Empty
// for an item without text. The hit zone of an item on the text screen, and what must stay
// inside the composing rectangle.
Rect textExtent(DrawingContext& dc, const TextItem& item);

} // namespace gp
