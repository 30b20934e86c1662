#pragma once
// Sets a photo into a frame picture through the frame's mask: inside the frame's window every
// pixel with mask value m ≥ 1 that the placed photo covers becomes
// (frame·(255 − m) + photo·(m + 1)) >> 8 per channel, so 0 keeps the frame, 255 shows the photo
// and 127 blends them evenly; every other pixel keeps the frame.

#include "base/Geometry.h"
#include "editing/workflow/FramePlacement.h"
#include "image/Allocator.h"

#include <cstdint>
#include <optional>

namespace gp {

inline std::uint8_t blendThroughMask(int frame, int photo, int m)
{
    return std::uint8_t((frame * (255 - m) + photo * (m + 1)) >> 8);
}

// The frame's window in frame pixels (top row 0): the mask's rectangle with its lower left corner
// moved by the offset (x to the right, y upward from the picture's bottom row, as rows are
// stored).
Rect frameWindow(Size frame, Size mask, Point offset);

// The mask values of a mask image as the codecs read it: an 8-bit image through its colour table
// (the gray level), a 24-bit one as the mean of its channels. The result is an 8-bit image whose
// bytes are the values (with a gray colour table). Nothing for other depths or without memory.
std::optional<Image> maskValues(const Image& mask, const Allocator& allocator);

// A copy of the 24-bit frame picture with the 24-bit photo placed into the window (the mask's
// size) by the placement, which maps photo pixels (from the photo's centre) to window pixels
// (from the window's centre), blended through the mask values. Nothing when the pictures have
// other depths, the mask is not the window's size, or memory runs out (the allocator says so).
std::optional<Image> composeFrame(const Image& frame, const Image& mask, Rect window, const Image& photo,
    const Placement& placement, const Allocator& allocator);

} // namespace gp
