#pragma once
// What the client makes of a source's image description: the resolution in pixels per metre
// and the colour table a pixel type calls for.

#include "TwainProtocol.h"
#include "image/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace gp {

// A protocol resolution (whole part plus fraction / 65536) in pixels per metre: inches give
// resolution × 100 / 2.54, centimetres resolution × 100, truncated; other units or unknown
// units (nothing) give 0.
std::int32_t pixelsPerMeter(TW_FIX32 resolution, std::optional<int> units);

// The colour table of an image from a source:
// - black and white: black, white; or white, black when the flavour makes 0 the lightest;
// - gray: a ramp of 2^bits entries (the 256-entry ramp at 8 bits);
// - RGB: none;
// - otherwise the source's palette (at most 2^bits entries, channels 1..3 as red, green,
//   blue), or none when there is no palette.
std::vector<Rgbq> colorTableFor(int pixelType, int bitsPerPixel, std::optional<int> flavor, const TW_PALETTE8* palette);

} // namespace gp
