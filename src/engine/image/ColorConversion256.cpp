#include "image/ColorConversion.h"
#include "image/ColorConversionPixels.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace gp {

namespace {

constexpr int kLevels = 32; // 5 bits per channel
constexpr std::size_t kMaxColors = 256;
constexpr int kStartBoxesPerAxis = 2;

enum Axis { Red = 0, Green = 1, Blue = 2 };

std::size_t cellOf(int red, int green, int blue)
{
    return std::size_t((red << 10) | (green << 5) | blue);
}

// The 5-bit histogram of a 24-bit picture, with the palette built from it by box splitting and
// the palette index of every cell.
class PaletteBuilder {
public:
    struct Box {
        std::array<int, 3> lo {}, hi {};
        std::uint64_t count = 0;
        bool final = false;
        int extentSum() const { return (hi[0] - lo[0] + 1) + (hi[1] - lo[1] + 1) + (hi[2] - lo[2] + 1); }
    };

    std::vector<std::uint32_t> histogram = std::vector<std::uint32_t>(std::size_t(kLevels * kLevels * kLevels), 0);
    std::vector<std::uint8_t> cellIndex = std::vector<std::uint8_t>(histogram.size(), 0);
    std::vector<Rgbq> palette;

    void build()
    {
        std::vector<Box> boxes = startBoxes();
        while (boxes.size() < kMaxColors) {
            Box* chosen = nullptr;
            std::uint64_t best = 0;
            for (Box& box : boxes) {
                const std::uint64_t score = std::uint64_t(box.extentSum() - 3) * box.count;
                if (!box.final && (!chosen || score > best))
                    chosen = &box, best = score;
            }
            if (!chosen)
                break;
            if (chosen->extentSum() <= 6) {
                chosen->final = true;
                continue;
            }
            boxes.push_back(split(*chosen));
        }
        std::stable_sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.count > b.count; });
        for (const Box& box : boxes)
            addColor(box);
    }

private:
    // The cube divided into equal boxes along every axis; the ones holding pixels start.
    std::vector<Box> startBoxes()
    {
        std::vector<Box> boxes;
        constexpr int step = kLevels / kStartBoxesPerAxis;
        for (int r = 0; r < kLevels; r += step)
            for (int g = 0; g < kLevels; g += step)
                for (int b = 0; b < kLevels; b += step) {
                    Box box;
                    box.lo = { r, g, b };
                    box.hi = { r + step - 1, g + step - 1, b + step - 1 };
                    box.count = countOf(box);
                    if (box.count > 0)
                        boxes.push_back(box);
                }
        return boxes;
    }

    template <typename Visit> void forEachCell(const Box& box, Visit visit) const
    {
        for (int r = box.lo[Red]; r <= box.hi[Red]; ++r)
            for (int g = box.lo[Green]; g <= box.hi[Green]; ++g)
                for (int b = box.lo[Blue]; b <= box.hi[Blue]; ++b)
                    visit(r, g, b, histogram[cellOf(r, g, b)]);
    }

    std::uint64_t countOf(const Box& box) const
    {
        std::uint64_t count = 0;
        forEachCell(box, [&](int, int, int, std::uint32_t n) { count += n; });
        return count;
    }

    std::array<std::uint64_t, kLevels> countsAlong(const Box& box, int axis) const
    {
        std::array<std::uint64_t, kLevels> counts {};
        forEachCell(box, [&](int r, int g, int b, std::uint32_t n) {
            const int level[3] = { r, g, b };
            counts[std::size_t(level[axis])] += n;
        });
        return counts;
    }

    // The level at which the running count from the box's low end first reaches half of the
    // box's count, rounded up.
    int medianLevel(const Box& box, int axis) const
    {
        const auto counts = countsAlong(box, axis);
        const std::uint64_t half = (box.count + 1) / 2;
        std::uint64_t running = 0;
        for (int level = box.lo[axis]; level <= box.hi[axis]; ++level) {
            running += counts[std::size_t(level)];
            if (running >= half)
                return level;
        }
        return box.hi[axis];
    }

    static int longestAxis(const Box& box)
    {
        const int r = box.hi[Red] - box.lo[Red], g = box.hi[Green] - box.lo[Green], b = box.hi[Blue] - box.lo[Blue];
        if (r >= g && r >= b)
            return Red;
        return g >= b ? Green : Blue;
    }

    // Splits a box at its median on the longest axis and returns the part above. The part above
    // keeps at least the top level, so neither part is an empty range; the two share the count.
    Box split(Box& box) const
    {
        const int axis = longestAxis(box);
        const int level = std::min(medianLevel(box, axis), box.hi[std::size_t(axis)] - 1);
        Box upper = box;
        upper.lo[std::size_t(axis)] = level + 1;
        box.hi[std::size_t(axis)] = level;
        upper.count = countOf(upper);
        box.count -= upper.count;
        return upper;
    }

    void addColor(const Box& box)
    {
        const auto index = std::uint8_t(palette.size());
        std::uint8_t value[3];
        for (int axis = 0; axis < 3; ++axis) {
            const int m = medianLevel(box, axis);
            value[axis] = std::uint8_t(8 * m + m / 4);
        }
        palette.push_back(Rgbq { value[Blue], value[Green], value[Red], 0 });
        forEachCell(box, [&](int r, int g, int b, std::uint32_t) { cellIndex[cellOf(r, g, b)] = index; });
    }
};

constexpr int kDitherMatrix[8][8] = { { 0, 32, 8, 40, 2, 34, 10, 42 }, { 48, 16, 56, 24, 50, 18, 58, 26 },
    { 12, 44, 4, 36, 14, 46, 6, 38 }, { 60, 28, 52, 20, 62, 30, 54, 22 }, { 3, 35, 11, 43, 1, 33, 9, 41 },
    { 51, 19, 59, 27, 49, 17, 57, 25 }, { 15, 47, 7, 39, 13, 45, 5, 37 }, { 63, 31, 55, 23, 61, 29, 53, 21 } };

// Maps the rows of a 24-bit picture to the palette.
class PaletteMapper {
public:
    PaletteMapper(const PaletteBuilder& builder, PaletteMapping mapping, int width)
        : m_builder(builder)
        , m_mapping(mapping)
        , m_above(std::size_t(width + 2) * 3, 0)
        , m_current(std::size_t(width + 2) * 3, 0)
    {
    }

    void mapRow(const std::uint8_t* in, std::uint8_t* out, int width, int y)
    {
        std::fill(m_current.begin(), m_current.end(), 0);
        for (int x = 0; x < width; ++x, in += 3) {
            const int source[3] = { in[2], in[1], in[0] }; // red, green, blue
            const int plain = indexOf(source);
            int adjusted[3] = { source[0], source[1], source[2] };
            if (m_mapping == PaletteMapping::OrderedDither) {
                const int offset = (kDitherMatrix[y % 8][x % 8] - 31) / 2;
                for (int& c : adjusted)
                    c = std::clamp(c + offset, 0, 255);
            } else if (m_mapping == PaletteMapping::ErrorDiffusion) {
                for (int c = 0; c < 3; ++c) {
                    const std::size_t at = std::size_t(x + 1) * 3 + std::size_t(c); // one border cell each side
                    const int share
                        = (7 * m_current[at - 3] + 3 * m_above[at + 3] + 5 * m_above[at] + m_above[at - 3]) / 16;
                    adjusted[c] = std::clamp(source[c] + share, 0, 255);
                }
            }
            int chosen = plain;
            if (m_mapping != PaletteMapping::Plain) {
                const int candidate = indexOf(adjusted);
                if (closeEnough(candidate, plain, source))
                    chosen = candidate;
                else
                    std::copy(source, source + 3, adjusted);
            }
            out[x] = std::uint8_t(chosen);
            if (m_mapping == PaletteMapping::ErrorDiffusion) {
                const Rgbq p = m_builder.palette[std::size_t(chosen)];
                const int value[3] = { p.red, p.green, p.blue };
                for (int c = 0; c < 3; ++c)
                    m_current[std::size_t(x + 1) * 3 + std::size_t(c)] = adjusted[c] - value[c];
            }
        }
        std::swap(m_above, m_current);
    }

private:
    int indexOf(const int rgb[3]) const { return m_builder.cellIndex[cellOf(rgb[0] >> 3, rgb[1] >> 3, rgb[2] >> 3)]; }

    // The candidate stands when, in every channel, it is less than 16 further from the source
    // than the plain choice.
    bool closeEnough(int candidate, int plain, const int source[3]) const
    {
        const Rgbq c = m_builder.palette[std::size_t(candidate)], p = m_builder.palette[std::size_t(plain)];
        const int cv[3] = { c.red, c.green, c.blue }, pv[3] = { p.red, p.green, p.blue };
        for (int i = 0; i < 3; ++i)
            if (std::abs(cv[i] - source[i]) >= std::abs(pv[i] - source[i]) + 16)
                return false;
        return true;
    }

    const PaletteBuilder& m_builder;
    PaletteMapping m_mapping;
    std::vector<int> m_above, m_current;
};

} // namespace

std::optional<Image> convertTo256Colors(
    const Image& source, PaletteMapping mapping, const Allocator& allocator, RowProgress* progress)
{
    if (source.bitsPerPixel() != 24)
        return std::nullopt;
    auto result = allocator.image(source.width(), source.height(), 8, 256);
    if (!result)
        return std::nullopt;
    result->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    const int width = source.width(), height = source.height();

    PaletteBuilder builder;
    for (int y = 0; y < height; ++y) {
        if (progress && y % 32 == 0 && !progress->update(percentOf(y, height) * 30 / 100))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        for (int x = 0; x < width; ++x, in += 3)
            ++builder.histogram[cellOf(in[2] >> 3, in[1] >> 3, in[0] >> 3)];
    }
    builder.build();
    for (std::size_t i = 0; i < builder.palette.size(); ++i)
        result->setColor(int(i), builder.palette[i]);

    PaletteMapper mapper(builder, mapping, width);
    for (int y = 0; y < height; ++y) {
        if (progress && y % 32 == 0 && !progress->update(55 + percentOf(y, height) * 45 / 100))
            return std::nullopt;
        mapper.mapRow(source.storedRow(y), result->storedRow(y), width, y);
    }
    if (progress)
        progress->finish();
    return result;
}

} // namespace gp
