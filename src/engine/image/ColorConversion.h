#pragma once
// Conversions between the image types: reduction to 8-bit gray, threshold to 1-bit black and
// white, reduction to the fixed 16 colours and to a 256-colour palette built from the picture,
// and widening to 24 bit. Each returns a new image and never changes its source; nothing when
// the source's depth is not one the conversion takes, when memory is short (the allocator has
// said so) or when the user pressed Escape. Progress goes to the status bar every 16 rows (32
// for the 256-colour reduction) when a RowProgress is given.

#include "image/Allocator.h"
#include "image/RowProgress.h"

#include <cstdint>
#include <optional>

namespace gp {

// The gray value of a colour: the sum of three rounded terms, limited to 255.
std::uint8_t grayValue(std::uint8_t blue, std::uint8_t green, std::uint8_t red);

// 24-, 8-, 4- and 1-bit sources; the result carries the 256-entry gray table.
std::optional<Image> convertToGray(const Image& source, const Allocator& allocator, RowProgress* progress);
// 24-, 8- and 4-bit sources; a pixel is white when its gray value is 128 or more.
std::optional<Image> convertToBlackWhite(const Image& source, const Allocator& allocator, RowProgress* progress);
// 24-bit sources and 8-bit ones through their colour table; error diffusion to eight of the
// fixed 16 colours.
std::optional<Image> convertTo16Colors(const Image& source, const Allocator& allocator, RowProgress* progress);

// How pixels are mapped to the 256-colour palette.
enum class PaletteMapping { Plain = 1, ErrorDiffusion = 2, OrderedDither = 3 };
// 24-bit sources only.
std::optional<Image> convertTo256Colors(
    const Image& source, PaletteMapping mapping, const Allocator& allocator, RowProgress* progress);

// The colour modes of the conversion commands and of the command-line tool's "mode:" operation.
enum class ColorMode { BlackWhite, Gray, Colors16, Colors256, TrueColor };
// Runs one conversion as its command does (the 256-colour reduction with ordered dither),
// reporting progress through the allocator's Host.
std::optional<Image> convertColorMode(const Image& source, ColorMode mode, const Allocator& allocator);

} // namespace gp
