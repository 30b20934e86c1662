#pragma once
// The Crop screen's rectangle, kept in window coordinates over the displayed photo: the initial
// rectangle for a template cell's proportion (or free proportions), the hit test that names the
// handle under the mouse, the drags of corners, edges and the whole rectangle with their limits,
// and the cut of the full photo that the rectangle stands for.
//
// Coordinates are the display's own pixels. On a dense display one step of the interface is
// `unit` pixels (the window program's pixel density): the rectangle moves and grows in whole
// units and its tolerance and least sizes are counted in units, so it feels as it does on an
// ordinary display, and a drag of the same length cuts exactly the same part of the photo.

#include "base/Geometry.h"
#include "editing/PixelProgress.h"
#include "image/Allocator.h"

#include <optional>
#include <string_view>

namespace gp {

// What the mouse is over, numbered as the screen's cursors and the command-line drags name it.
enum class CropHandle {
    None = 0,
    TopLeft = 17,
    BottomLeft = 18,
    TopRight = 19,
    BottomRight = 20,
    Inside = 21,
    LeftEdge = 22,
    RightEdge = 23,
    TopEdge = 24,
    BottomEdge = 25,
};

// The cursor the screen shows for a handle.
enum class CropCursor { Arrow, ResizeNwSe, ResizeNeSw, ResizeHorizontal, ResizeVertical, OpenHand, ClosedHand };

// In units.
inline constexpr int kCropHitTolerance = 4;
inline constexpr int kCropMinimumFree = 40;
inline constexpr int kCropMinimumFixed = 80;

class CropRectangle {
public:
    CropRectangle() = default;
    // displayed is the displayed photo's rectangle in window coordinates, on the unit grid
    // (fittedRect with the same unit puts it there; a corner off the grid is taken down to it).
    explicit CropRectangle(Rect displayed, int unit = 1);

    // The same rectangle over a display copy made again at another density (the window moved to
    // a screen of another scale): displayed is the new copy's rectangle, unit the new density.
    // The rectangle keeps its units when the copy covers the same units as before, so it cuts
    // exactly the same part of the photo; a copy of another size takes the rectangle in
    // proportion, within the new copy.
    CropRectangle rescaled(Rect displayed, int unit) const;

    // Places the initial rectangle. A cell name holding "FREE" (in any case) chooses free
    // proportions; otherwise cellWidth × cellHeight (the cell picture's size in any unit) fixes
    // the proportion. The rectangle is the largest of that proportion on the displayed photo,
    // centred, one pixel in from the photo's bottom and right edges.
    void setProportion(std::string_view cellName, int cellWidth, int cellHeight);

    CropHandle hitTest(Point p) const;
    static CropCursor cursorFor(CropHandle handle, bool dragging);

    // Moves the handle by (dx, dy) window pixels with the rules of the free or fixed mode, then
    // clips the rectangle to the displayed photo. The movement is taken in whole units; the part
    // taken is returned, so that the caller carries the rest over to the next movement.
    Point drag(CropHandle handle, int dx, int dy);

    // The part of a photo of the given size that the rectangle covers, in picture pixels with
    // the top row 0; nothing when the rectangle is narrower than 40 units.
    std::optional<Rect> photoRect(Size photo) const;

    Rect rect() const { return inPixels(m_rect); }
    Rect displayed() const { return inPixels(m_displayed); }
    int unit() const { return m_unit; }
    bool isFree() const { return m_free; }
    double ratio() const { return m_ratio; }

private:
    void dragFree(CropHandle handle, int dx, int dy);
    void dragFixedCorner(CropHandle handle, int dx, int dy);
    void move(int dx, int dy);
    void clipToPhoto();
    Rect inPixels(Rect units) const;

    // Both rectangles are kept in units; the pixels are only for the outside world.
    int m_unit = 1;
    Rect m_displayed;
    Rect m_rect;
    bool m_free = true;
    double m_ratio = 1.0;
};

// The Crop screen's view of a 24-bit display copy: every pixel outside crop (in the display copy's
// own pixels) lightened three quarters of the way to white, (c + 765) >> 2, the inside as it is.
std::optional<Image> lightenOutside(const Image& display, Rect crop, const Allocator& allocator);

// The photo cut to the crop rectangle; nothing without a rectangle or memory.
std::optional<Image> cropPhoto(const Image& photo, const CropRectangle& crop, const Allocator& allocator);

} // namespace gp
