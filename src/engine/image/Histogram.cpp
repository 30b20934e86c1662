#include "image/Histogram.h"

#include "image/ImageType.h"

#include <algorithm>

namespace gp {

namespace {

int pixelIndex(const std::uint8_t* row, int x, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8: return row[x];
    case 4: return (x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default: return (row[x / 8] >> (7 - (x & 7))) & 1;
    }
}

} // namespace

Histogram computeHistogram(const Image& image)
{
    Histogram h;
    if (image.isNull())
        return h;
    h.grayscale = isGrayscale(&image);
    const int bits = image.bitsPerPixel();
    const auto table = image.colorTable();
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.storedRow(y);
        for (int x = 0; x < image.width(); ++x) {
            if (bits == 24) {
                ++h.blue[row[3 * x]];
                ++h.green[row[3 * x + 1]];
                ++h.red[row[3 * x + 2]];
                continue;
            }
            const int index = pixelIndex(row, x, bits);
            const Rgbq c = index < int(table.size()) ? table[std::size_t(index)] : Rgbq {};
            if (h.grayscale) {
                ++h.combined[c.red];
                continue;
            }
            ++h.red[c.red];
            ++h.green[c.green];
            ++h.blue[c.blue];
        }
    }
    if (!h.grayscale)
        for (std::size_t level = 0; level < 256; ++level)
            h.combined[level] = h.red[level] + h.green[level] + h.blue[level];
    return h;
}

std::vector<int> histogramColumnTops(const LevelCounts& counts, int width, int height)
{
    std::vector<int> tops;
    if (width <= 0 || height <= 0)
        return tops;
    long long total = 1;
    int busy = 1;
    for (std::uint32_t count : counts) {
        total += count;
        if (count > 10)
            ++busy;
    }
    const long long scale = busy * 100 / 256 + 1;
    tops.reserve(std::size_t(width));
    for (int x = 0; x < width; ++x) {
        const int level = (255 * x + width / 2) / width;
        const long long rise = counts[std::size_t(level)] * static_cast<long long>(height) * scale / total;
        tops.push_back(int(std::max<long long>(height - rise, 4)));
    }
    return tops;
}

} // namespace gp
