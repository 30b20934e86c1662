#include "image/ColorConversion.h"

#include "image/Widen.h"

namespace gp {

std::optional<Image> convertColorMode(const Image& source, ColorMode mode, const Allocator& allocator)
{
    RowProgress converting(allocator.host(), StringId::ProgressConverting);
    switch (mode) {
    case ColorMode::BlackWhite: return convertToBlackWhite(source, allocator, &converting);
    case ColorMode::Gray: return convertToGray(source, allocator, &converting);
    case ColorMode::Colors16: return convertTo16Colors(source, allocator, &converting);
    case ColorMode::Colors256: {
        RowProgress processing(allocator.host(), StringId::ProgressProcessing);
        return convertTo256Colors(source, PaletteMapping::OrderedDither, allocator, &processing);
    }
    case ColorMode::TrueColor:
        if (source.bitsPerPixel() == 24)
            return std::nullopt;
        return widenTo24(source, allocator);
    }
    return std::nullopt;
}

} // namespace gp
