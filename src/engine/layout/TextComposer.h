#pragma once
// Composing the texts of a cell or of the free-style page on the text screen. The composer holds
// the list being edited, laid out for the composing rectangle, the item that typing changes,
// and the copy that Cancel puts back. It enforces the item limits (5 in a cell, 10 on the
// free-style page), keeps dragged items inside the rectangle, and on OK stores the list in the
// cell or as the page's free-style text objects.

#include "layout/LayoutPage.h"
#include "layout/TextList.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace gp {

// The settings new items take, and that the font, style, size, colour and alignment controls
// show; one set for the whole run.
struct TextSettings {
    std::string face = "Arial";
    int points = 12;
    int style = 0; // 0 Regular, 1 Italic, 2 Bold, 3 Italic Bold
    Color color;
    TextAlign align = TextAlign::Left;
    friend bool operator==(const TextSettings&, const TextSettings&) = default;
};

// The sizes the size list offers, in points; 12 is chosen when it opens.
inline constexpr std::array<int, 16> kTextPointSizes { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };
inline constexpr int kTextStyleCount = 4;

// The font of the settings on a screen of dpiY dots per inch: points × dpiY / 72 pixels, rounded
// to the nearest; weight 700 for the bold styles, italic for the italic ones.
FontSpec textFont(const TextSettings& settings, int dpiY);
// The settings an item shows: its face, style, colour and alignment, its height in whole points.
TextSettings settingsOf(const TextItem& item, int dpiY);

// The edit box's text as an item holds it: at most 1023 characters, each tab four spaces.
std::string itemTextFromBox(std::string_view boxText);

enum class TypingResult {
    None, // nothing changed (an empty box without a current item, or the same text)
    Changed, // the current item took the text
    Added, // a new current item was made
    Deleted, // the box was emptied: the current item is gone
    Refused, // the list holds its limit; the text stays in the box only
};

class TextComposer {
public:
    static constexpr std::size_t kCellLimit = 5;
    static constexpr std::size_t kFreeStyleLimit = 10;
    // The free-style page's texts sit this much lower while they are edited, as the page's
    // photos do in the composing window's background.
    static constexpr int kFreeStyleShift = 11;

    // Opens a cell's texts for composing in box. The copy for Cancel is taken first, so Cancel
    // always leaves the cell as it was; then a list composed for another shape (proportions
    // apart by more than a tenth) is dropped from the cell and composing starts empty.
    static TextComposer forCell(LayoutPage& page, int cell, const Rect& box);
    // Opens the free-style page's text objects, moved down by kFreeStyleShift while edited.
    static TextComposer forFreeStyle(LayoutPage& page, const Rect& box);

    const TextList& list() const { return m_list; }
    const Rect& box() const { return m_box; }
    bool freeStyle() const { return !m_cell.has_value(); }
    std::size_t limit() const { return freeStyle() ? kFreeStyleLimit : kCellLimit; }
    // The item typing changes; none while typing would start a new item.
    const std::optional<std::size_t>& current() const { return m_current; }

    // The edit box changed to boxText: changes, deletes or (with settings) adds an item.
    TypingResult type(std::string_view boxText, const TextSettings& settings, int dpiY);
    // New: the next typing starts a new item.
    void startNew() { m_current.reset(); }

    // The item whose text lies under p, the topmost (last drawn) first.
    std::optional<std::size_t> itemAt(DrawingContext& dc, Point p) const;
    // Makes an item current (a press on it); false for an index out of range.
    bool select(std::size_t index);
    // Moves the current item by a mouse movement.
    void moveCurrent(int dx, int dy);
    // After a drag: when the current item's text reaches beyond the box's right or bottom edge
    // it is moved back to end there, but its text never starts left of or above the box.
    void keepInside(DrawingContext& dc);
    // A control changed a setting: the current item takes the settings' font, colour and
    // alignment at once.
    void apply(const TextSettings& settings, int dpiY);

    // OK: stores the list, composed in the box, in the cell (an empty list leaves the cell
    // without texts) or as the free-style text objects moved back up and fitted into the box.
    void accept();
    // Cancel: puts back what the cell or the page held on entry.
    void cancel();

private:
    TextComposer(LayoutPage& page, std::optional<int> cell, const Rect& box);

    LayoutPage* m_page;
    std::optional<int> m_cell;
    Rect m_box;
    TextList m_list;
    std::optional<TextList> m_original;
    std::optional<std::size_t> m_current;
};

// A list moved and scaled to be drawn in box as it would be drawn there: positions and font
// heights by the ratio of the larger sides, as TextList::draw maps them.
TextList relaidOut(const TextList& list, const Rect& box);

} // namespace gp
