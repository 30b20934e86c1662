#include "skin/SkinBitmap.h"

#include "base/ByteReader.h"
#include "gfx/QtImage.h"
#include "image/Image.h"
#include "skin/SkinDensity.h"
#include "skin/SkinFile.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace gp::ui {

QImage loadSkinBitmap(const std::filesystem::path& path, qreal ratio)
{
    const DensityFile file = densityFile(path, ratio);
    std::ifstream in(file.path, std::ios::binary);
    if (!in)
        return {};
    const std::vector<std::uint8_t> bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader || bytes[0] != 'B' || bytes[1] != 'M')
        return {};
    // The pixels must follow the header and colour table directly, as the skin builder writes them.
    const std::uint32_t pixelOffset = loadU32Le(&bytes[10]);
    auto image = Image::fromPacked(std::span(bytes).subspan(kFileHeader), kSkinImageCeiling);
    if (!image || pixelOffset != kFileHeader + image->bitsOffset())
        return {};
    QImage picture = gfx::toQImage(*image);
    picture.setDevicePixelRatio(file.density);
    return picture;
}

} // namespace gp::ui
