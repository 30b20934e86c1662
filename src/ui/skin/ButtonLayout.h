#pragma once
// The main frame's button pages: for each screen, its buttons in skin order with id, kind, group
// key, label, glyph and place (in 800 × 600 coordinates; the 640 mode scales them by 4/5). The
// skin builder draws a button's images from its entry and the frame builds its button records
// from the same table, so both always agree on the order. Areas (kind 2) come last: they have
// no images and keep the place given here.

#include "base/Geometry.h"

#include <span>

namespace gp::ui {

enum class ButtonKind : int {
    Area = 2,
    Push = 3,
    Repeat = 4,
    Slider = 5,
    Scroll = 6,
    SliderControl = 7,
    SharedToggle = 8,
    Special = 9,
    AlwaysPressed = 99,
    OwnerDrawn = 150,
};

// The small picture beside a label.
enum class Glyph {
    None,
    Logo,
    Help,
    Minimise,
    Close,
    Photos,
    Crop,
    Edit,
    Frame,
    Text,
    Clear,
    List,
    Plus,
    Minus,
    Printer,
    Print,
    Left,
    Right,
    Up,
    Down,
    Ok,
    Cancel,
    Album,
    Add,
    Show,
    Remove,
    Rename,
    Save,
    Star
};

// The look of a button's images.
enum class Style { Wide, Small, Accent, Round };

struct ButtonSpec {
    int id;
    ButtonKind kind;
    int group;
    const char* label;
    Glyph glyph;
    Style style;
    Rect rect;
};

inline constexpr int kFramePages = 7;
inline constexpr int kFrameWidth = 800;
inline constexpr int kFrameHeight = 600;

// The buttons of a page of the frame's bar; empty beyond the last page.
std::span<const ButtonSpec> framePage(int page);
// The buttons of the layout page's own bars: the My Templates bar (page 0) and the size slider
// bar (page 1), in their bar's coordinates.
std::span<const ButtonSpec> auxiliaryPage(int page);
// Places of the auxiliary bars on the frame.
inline constexpr Rect kTemplateBarRect { 180, 532, 620, 572 };
inline constexpr Rect kOptionBarRect { 12, 456, 168, 528 };
inline constexpr Rect kCategoryListRect { 632, 122, 788, 274 };
inline constexpr Rect kCopiesRect { 632, 300, 728, 348 };
inline constexpr Rect kStatusBarRect { 0, 576, 800, 600 };

// The layout's list control: item rows and its scroll buttons.
inline constexpr int kListRows = 6;
inline constexpr int kListRowHeight = 22;
std::span<const ButtonSpec> listPage();

// 800-mode geometry to 640 mode.
inline int scaled(int value, bool mode640)
{
    return mode640 ? value * 4 / 5 : value;
}
inline Rect scaled(Rect r, bool mode640)
{
    return { scaled(r.left, mode640), scaled(r.top, mode640), scaled(r.right, mode640), scaled(r.bottom, mode640) };
}

} // namespace gp::ui
