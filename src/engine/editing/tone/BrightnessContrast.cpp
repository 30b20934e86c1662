#include "editing/tone/BrightnessContrast.h"

#include "editing/effects/FilterSupport.h"

namespace gp {

LevelTable brightnessContrastCurve(int b, int k)
{
    LevelTable table {};
    const int span = 255 - 2 * k;
    for (int i = 0; i < 256; ++i) {
        int level;
        if (i + b < k)
            level = 0;
        else if (i + b > 255 - k)
            level = 255;
        else
            level = (255 * (i + b - k) + span / 2) / span;
        table[std::size_t(i)] = clampByte(level);
    }
    return table;
}

ChannelTables brightnessContrastTables(ToneChannel channel, int brightness, int contrast)
{
    return tablesForChannel(channel, brightnessContrastCurve(brightness, contrast));
}

std::optional<Image> brightnessContrast(
    const Image& source, ToneChannel channel, int brightness, int contrast, const FilterRun& run)
{
    if (brightness == 0 && contrast == 0)
        return std::nullopt;
    return applyChannelTables(source, brightnessContrastTables(channel, brightness, contrast), run);
}

} // namespace gp
