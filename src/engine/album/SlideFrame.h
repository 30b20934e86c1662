#pragma once
// Painting one slide: the picture fitted into the window (never enlarged), centred between
// black bands, the caption with its shadow, and a canvas that lets a transition copy the
// fitted picture onto a frame image.

#include "album/SlideCanvas.h"
#include "base/Geometry.h"
#include "image/GammaTables.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace gp {

class Allocator;
class Image;

// The picture's size in the window: limited to the window's size, then the side that would
// break the aspect ratio is reduced (if width × window height < height × window width, the
// width becomes width × fitted height ÷ height, else the height becomes height × fitted width
// ÷ width). Never larger than the picture.
Size fitSlide(Size picture, Size window);

struct SlidePlacement {
    Size fitted;
    Point offset; // left and top: half the spare width and height
    std::vector<Rect> bands; // the black bands around the picture (empty ones left out)
};
SlidePlacement placeSlide(Size picture, Size window);

// The fitted picture, sampled by nearest neighbour (palette images through their colour
// table) into 24 bits and passed through the display gamma tables (blue, green, red from
// tables 2, 1, 0). Nothing when the memory cannot be had.
std::optional<Image> fitSlidePicture(
    const Image& picture, Size fitted, const std::array<GammaTable, 3>& gamma, const Allocator& allocator);

// Where the caption goes: centred at the top of the window, first in black in shadowRect (12
// pixels from the top), then in white in textRect (10 from the top, its right edge 4 further in).
struct CaptionPlacement {
    Rect shadowRect;
    Rect textRect;
};
CaptionPlacement placeCaption(Size window);

// The caption of a photo that cannot be read.
std::string unreadableSlideCaption(const std::string& path);

// A canvas over a 24-bit frame image with the picture area at offset. It remembers the part of
// the frame its copies changed, so a window shows only that part after each step instead of the
// whole frame, which keeps steps within their share of the transition's time.
class ImageSlideCanvas : public SlideCanvas {
public:
    ImageSlideCanvas(Image& frame, const Image& picture, Point offset)
        : m_frame(&frame)
        , m_picture(&picture)
        , m_offset(offset)
    {
    }
    void copy(const Rect& source, Point target) override;
    // The frame's rectangle enclosing every copy since the last call (empty when none), forgotten.
    Rect takeChanged();

private:
    Image* m_frame;
    const Image* m_picture;
    Point m_offset;
    Rect m_changed;
};

// Fills a 24-bit image black.
void fillBlack(Image& frame);

} // namespace gp
