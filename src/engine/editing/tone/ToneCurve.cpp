#include "editing/tone/ToneCurve.h"

#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <array>
#include <cmath>
#include <vector>

namespace gp {

LevelTable toneCurve(int highlight, int midtone, int shadow)
{
    const int h2 = 2 * highlight, m2 = 2 * midtone, s2 = 2 * shadow;
    const int low = std::max(0, -s2);
    const int highClip = std::max(0, h2);
    const int floor = std::max(0, s2);
    const int roof = std::max(0, -h2);
    const int span = std::max(1, 255 - low - highClip);
    const double exponent = m2 >= 0 ? 1.0 - m2 * 0.0045 : 1.0 - m2 * 0.035;

    LevelTable table {};
    for (int i = 0; i < 256; ++i) {
        int level;
        if (i <= low)
            level = 0;
        else if (i >= 255 - highClip)
            level = 255;
        else if (floor + roof >= 255)
            level = floor;
        else
            level = floor + int(std::pow(double(i - low) / span, exponent) * (255 - floor - roof) + 0.5);
        table[std::size_t(i)] = clampByte(level);
    }
    return table;
}

namespace {

void countColor(LevelHistogram& histogram, ToneChannel channel, std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    switch (channel) {
    case ToneChannel::All:
        ++histogram[blue];
        ++histogram[green];
        ++histogram[red];
        break;
    case ToneChannel::Red: ++histogram[red]; break;
    case ToneChannel::Green: ++histogram[green]; break;
    case ToneChannel::Blue: ++histogram[blue]; break;
    }
}

// The counts of a 24-bit image. Each channel, and even and odd pixels, count into tables of their
// own that are added up at the end: on a smooth photo neighbouring pixels hit the same level, and
// one table would make every increment wait for the one before.
LevelHistogram rgbHistogram(const Image& image, ToneChannel channel)
{
    const int width = image.width();
    const bool all = channel == ToneChannel::All;
    const int offset = channel == ToneChannel::Red ? 2 : channel == ToneChannel::Green ? 1 : 0;
    std::vector<std::array<std::uint64_t, 256>> tables(all ? 6 : 2, std::array<std::uint64_t, 256> {});
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.storedRow(y);
        int x = 0;
        if (all) {
            for (; x + 1 < width; x += 2, row += 6) {
                ++tables[0][row[0]];
                ++tables[1][row[1]];
                ++tables[2][row[2]];
                ++tables[3][row[3]];
                ++tables[4][row[4]];
                ++tables[5][row[5]];
            }
            if (x < width) {
                ++tables[0][row[0]];
                ++tables[1][row[1]];
                ++tables[2][row[2]];
            }
            continue;
        }
        row += offset;
        for (; x + 1 < width; x += 2, row += 6) {
            ++tables[0][row[0]];
            ++tables[1][row[3]];
        }
        if (x < width)
            ++tables[0][row[0]];
    }
    LevelHistogram histogram {};
    for (const auto& table : tables)
        for (std::size_t i = 0; i < 256; ++i)
            histogram[i] += table[i];
    return histogram;
}

} // namespace

LevelHistogram levelHistogram(const Image& image, ToneChannel channel)
{
    LevelHistogram histogram {};
    const ImageType type = imageTypeOf(&image);
    if (type == ImageType::Rgb24)
        return rgbHistogram(image, channel);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.storedRow(y);
        switch (type) {
        case ImageType::Gray8:
            for (int x = 0; x < width; ++x)
                ++histogram[row[x]];
            break;
        case ImageType::Indexed8:
        case ImageType::Indexed4: {
            const auto palette = image.colorTable();
            for (int x = 0; x < width; ++x) {
                const std::size_t index = type == ImageType::Indexed8 ? row[x] : (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
                if (index < palette.size())
                    countColor(histogram, channel, palette[index].blue, palette[index].green, palette[index].red);
            }
            break;
        }
        default: return histogram;
        }
    }
    return histogram;
}

ToneSliders autoTone(const LevelHistogram& histogram, ToneSliders current)
{
    int lowest = 255, highest = 0;
    for (int i = 0; i < 256; ++i) {
        if (histogram[std::size_t(i)] != 0) {
            lowest = i;
            break;
        }
    }
    for (int i = 255; i >= 0; --i) {
        if (histogram[std::size_t(i)] != 0) {
            highest = i;
            break;
        }
    }
    current.highlight = std::min(100, (256 - highest) / 2);
    current.shadow = -std::min(100, (lowest + 1) / 2);
    return current;
}

std::optional<Image> applyTone(const Image& source, ToneChannel channel, const LevelTable& curve, const FilterRun& run)
{
    return applyChannelTables(source, tablesForChannel(channel, curve), run);
}

} // namespace gp
