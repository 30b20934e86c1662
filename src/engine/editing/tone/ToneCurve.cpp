#include "editing/tone/ToneCurve.h"

#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <cmath>

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

} // namespace

LevelHistogram levelHistogram(const Image& image, ToneChannel channel)
{
    LevelHistogram histogram {};
    const ImageType type = imageTypeOf(&image);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.storedRow(y);
        switch (type) {
        case ImageType::Rgb24:
            for (int x = 0; x < width; ++x, row += 3)
                countColor(histogram, channel, row[0], row[1], row[2]);
            break;
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
