#include "image/ColorConversion.h"
#include "image/ColorConversionPixels.h"

#include <algorithm>

namespace gp {

namespace {

struct GrayTerms {
    std::array<std::uint8_t, 256> red {}, green {}, blue {};
    GrayTerms()
    {
        for (int i = 0; i < 256; ++i) {
            red[std::size_t(i)] = std::uint8_t((76 * i + 127) / 255);
            green[std::size_t(i)] = std::uint8_t((150 * i + 127) / 255);
            blue[std::size_t(i)] = std::uint8_t((29 * i + 127) / 255);
        }
    }
};

const GrayTerms& grayTerms()
{
    static const GrayTerms terms;
    return terms;
}

} // namespace

std::uint8_t grayValue(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    const GrayTerms& t = grayTerms();
    return std::uint8_t(std::min(255, t.red[red] + t.green[green] + t.blue[blue]));
}

std::array<std::uint8_t, 256> grayOfColorTable(const Image& image)
{
    std::array<std::uint8_t, 256> grays {};
    const auto table = image.colorTable();
    for (std::size_t i = 0; i < std::min<std::size_t>(table.size(), 256); ++i)
        grays[i] = grayValue(table[i].blue, table[i].green, table[i].red);
    return grays;
}

std::optional<Image> convertToGray(const Image& source, const Allocator& allocator, RowProgress* progress)
{
    const int bits = source.bitsPerPixel();
    if (bits != 24 && bits != 8 && bits != 4 && bits != 1)
        return std::nullopt;
    auto gray = allocator.image(source.width(), source.height(), 8, 256);
    if (!gray)
        return std::nullopt;
    gray->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    for (int i = 0; i < 256; ++i)
        gray->setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    const auto tableGrays = grayOfColorTable(source);
    const int width = source.width(), height = source.height();
    for (int y = 0; y < height; ++y) {
        if (progress && y % 16 == 0 && !progress->update(percentOf(y, height)))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = gray->storedRow(y);
        if (bits == 24) {
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = grayValue(in[0], in[1], in[2]);
        } else {
            for (int x = 0; x < width; ++x)
                out[x] = tableGrays[std::size_t(packedIndex(in, x, bits))];
        }
    }
    if (progress)
        progress->finish();
    return gray;
}

} // namespace gp
