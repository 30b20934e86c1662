#include "editing/PreviewSample.h"

#include "editing/VectorClones.h"
#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace gp {

namespace {

int pixelIndex(const Image& image, int x, int y)
{
    const std::uint8_t* row = image.row(y);
    switch (image.bitsPerPixel()) {
    case 8: return row[x];
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    default: return (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

void setPixelIndex(Image& image, int x, int y, int index)
{
    std::uint8_t* row = image.row(y);
    switch (image.bitsPerPixel()) {
    case 8: row[x] = std::uint8_t(index); break;
    case 4: {
        const int shift = x % 2 ? 0 : 4;
        row[x / 2] = std::uint8_t((row[x / 2] & ~(15 << shift)) | (index << shift));
        break;
    }
    default: {
        const int bit = 1 << (7 - x % 8);
        row[x / 8] = std::uint8_t(index ? row[x / 8] | bit : row[x / 8] & ~bit);
        break;
    }
    }
}

// Source span [first, last) of destination pixel i when n source pixels map onto m.
std::pair<int, int> coveredSpan(int i, int n, int m)
{
    const int first = int(static_cast<long long>(i) * n / m);
    const int last = std::max(first + 1, int(static_cast<long long>(i + 1) * n / m));
    return { first, std::min(last, n) };
}

// Adds a source row's bytes to the column sums; a plain loop the compiler vectorises.
GP_VECTOR_CLONES
void addRow(const std::uint8_t* __restrict in, std::uint32_t* __restrict sums, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        sums[i] += in[i];
}

} // namespace

Size previewInnerSize(Size client)
{
    return { std::max(1, client.width - 2), std::max(1, client.height - 2) };
}

Size previewFitSize(Size source, Size inner)
{
    const long long w = source.width, h = source.height;
    if (w < h)
        return { std::max(1, int((w * inner.height + h / 2) / h)), inner.height };
    return { inner.width, std::max(1, int((h * inner.width + w / 2) / w)) };
}

PanCrop::PanCrop(Size source, Size inner)
    : m_source(source)
    , m_size { std::min(inner.width, source.width), std::min(inner.height, source.height) }
    , m_origin { (source.width - m_size.width) / 2, (source.height - m_size.height) / 2 }
{
}

void PanCrop::drag(int dx, int dy)
{
    m_origin.x = clampInt(m_origin.x + dx, 0, m_source.width - m_size.width);
    m_origin.y = clampInt(m_origin.y + dy, 0, m_source.height - m_size.height);
}

std::optional<Image> fitSample(const Image& source, Size inner, const Allocator& allocator)
{
    return fitSampleTo(source, previewFitSize({ source.width(), source.height() }, inner), allocator);
}

std::optional<Image> fitSampleTo(const Image& source, Size size, const Allocator& allocator)
{
    auto sample = allocator.image(size.width, size.height, source.bitsPerPixel(), source.colorCount());
    if (!sample)
        return std::nullopt;
    fillSample(source, *sample);
    return sample;
}

void fillSample(const Image& source, Image& sample)
{
    const Size size { sample.width(), sample.height() };
    const auto palette = source.colorTable();
    std::copy(palette.begin(), palette.end(), sample.colorTable().begin());
    sample.setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());

    const int bits = source.bitsPerPixel();
    const bool averaged = bits == 24 || isGrayscale(&source);
    if (!averaged) {
        for (int y = 0; y < size.height; ++y) {
            const auto [top, bottom] = coveredSpan(y, source.height(), size.height);
            for (int x = 0; x < size.width; ++x) {
                const auto [left, right] = coveredSpan(x, source.width(), size.width);
                setPixelIndex(sample, x, y, pixelIndex(source, (left + right - 1) / 2, (top + bottom - 1) / 2));
            }
        }
        return;
    }
    // Each sample row first adds up its source rows column by column (a loop over whole rows
    // that the compiler vectorises), then each sample pixel adds up its columns of those sums:
    // the same sums as adding the covered pixels one by one, with every source byte read once.
    const int ch = bits == 24 ? 3 : 1;
    const std::size_t bytes = std::size_t(source.width()) * std::size_t(ch);
    std::vector<std::uint32_t> columnSums(bytes);
    for (int y = 0; y < size.height; ++y) {
        const auto [top, bottom] = coveredSpan(y, source.height(), size.height);
        std::fill(columnSums.begin(), columnSums.end(), 0u);
        for (int sy = top; sy < bottom; ++sy)
            addRow(source.row(sy), columnSums.data(), bytes);
        std::uint8_t* out = sample.row(y);
        for (int x = 0; x < size.width; ++x) {
            const auto [left, right] = coveredSpan(x, source.width(), size.width);
            std::uint64_t sum[3] = { 0, 0, 0 };
            for (int sx = left; sx < right; ++sx)
                for (int k = 0; k < ch; ++k)
                    sum[k] += columnSums[std::size_t(sx) * std::size_t(ch) + std::size_t(k)];
            const std::uint64_t count = std::uint64_t(bottom - top) * std::uint64_t(right - left);
            for (int k = 0; k < ch; ++k)
                out[x * ch + k] = std::uint8_t((sum[k] + count / 2) / count);
        }
    }
}

std::optional<Image> cropSample(const Image& source, Rect crop, const Allocator& allocator)
{
    auto sample = allocator.image(crop.width(), crop.height(), source.bitsPerPixel(), source.colorCount());
    if (!sample)
        return std::nullopt;
    const auto palette = source.colorTable();
    std::copy(palette.begin(), palette.end(), sample->colorTable().begin());
    sample->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    const int bits = source.bitsPerPixel();
    for (int y = 0; y < crop.height(); ++y) {
        if (bits >= 8) {
            const int ch = bits / 8;
            const std::uint8_t* in = source.row(crop.top + y) + crop.left * ch;
            std::copy(in, in + crop.width() * ch, sample->row(y));
            continue;
        }
        for (int x = 0; x < crop.width(); ++x)
            setPixelIndex(*sample, x, y, pixelIndex(source, crop.left + x, crop.top + y));
    }
    return sample;
}

} // namespace gp
