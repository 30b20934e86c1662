#include "PcdRender.h"

#include "PhotoYcc.h"
#include "base/ByteReader.h"

#include <algorithm>
#include <array>

namespace gp::pcd {

namespace {

// Where the upright picture's pixel (x, y) lies in the stored picture of size width × height.
struct StoredPosition {
    int x, y;
};
StoredPosition storedPosition(int x, int y, int rotation, int width, int height)
{
    switch (rotation & 3) {
    case 1: return { width - 1 - y, x }; // stored picture turned 90° counter-clockwise
    case 2: return { width - 1 - x, height - 1 - y }; // half turn
    case 3: return { y, height - 1 - x }; // 90° clockwise
    default: return { x, y };
    }
}

} // namespace

Result<BlockPointer> renderBlock(const YccPicture& picture, OutputFormat format, int rotation)
{
    const int storedW = picture.luma.width;
    const int storedH = picture.luma.height;
    const bool turned = (rotation & 1) != 0;
    const int width = turned ? storedH : storedW;
    const int height = turned ? storedW : storedH;
    const int bytesPerPixel = format == OutputFormat::Rgb24 ? 3 : 1;
    const std::size_t rowSize = (std::size_t(width) * std::size_t(bytesPerPixel) + 3) & ~std::size_t(3);
    const std::size_t imageSize = rowSize * std::size_t(height);

    BlockPointer block(static_cast<std::uint8_t*>(std::calloc(1, kHeaderSize + kColorTableRoom + imageSize)));
    if (!block)
        return makeError(ErrorKind::OutOfMemory, "Photo CD: no memory for the picture");
    std::uint8_t* header = block.get();
    storeU32Le(header, std::uint32_t(kHeaderSize));
    storeU32Le(header + 4, std::uint32_t(width));
    storeU32Le(header + 8, std::uint32_t(height));
    storeU16Le(header + 12, 1);
    storeU16Le(header + 14, std::uint16_t(bytesPerPixel * 8));
    storeU32Le(header + 20, std::uint32_t(imageSize));
    std::uint8_t* pixels = header + kHeaderSize + kColorTableRoom;

    if (format == OutputFormat::Gray8) {
        storeU32Le(header + 32, 256);
        for (int i = 0; i < 256; ++i)
            std::fill_n(header + kHeaderSize + 4 * i, 3, std::uint8_t(i));
        std::array<std::uint8_t, 256> gray {};
        for (int i = 0; i < 256; ++i)
            gray[std::size_t(i)] = ycc::toGray(i);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* out = pixels + std::size_t(height - 1 - y) * rowSize;
            for (int x = 0; x < width; ++x) {
                const StoredPosition s = storedPosition(x, y, rotation, storedW, storedH);
                out[x] = gray[picture.luma.at(s.x, s.y)];
            }
        }
        return block;
    }

    const Plane c1 = upsample(picture.c1);
    const Plane c2 = upsample(picture.c2);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = pixels + std::size_t(height - 1 - y) * rowSize;
        for (int x = 0; x < width; ++x) {
            const StoredPosition s = storedPosition(x, y, rotation, storedW, storedH);
            const ycc::Rgb rgb = ycc::toRgb(picture.luma.at(s.x, s.y), c1.at(s.x, s.y), c2.at(s.x, s.y));
            out[3 * x] = rgb.blue;
            out[3 * x + 1] = rgb.green;
            out[3 * x + 2] = rgb.red;
        }
    }
    return block;
}

} // namespace gp::pcd
