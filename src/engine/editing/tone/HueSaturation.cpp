#include "editing/tone/HueSaturation.h"

#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <algorithm>

namespace gp {

SectorDivision::SectorDivision()
{
    for (std::uint64_t d = 1; d < 256; ++d)
        m_reciprocal[d] = ((std::uint64_t(1) << 48) + 60 * d - 1) / (60 * d);
}

HueSaturationMap::HueSaturationMap(int hue, int saturation)
    : m_hue(hue)
    , m_saturate(saturation != 0)
{
    for (int i = 0; i < 256; ++i) {
        m_times60[std::size_t(i)] = 60 * i;
        m_toward[std::size_t(i)] = (128 * i * saturation + 50) / 100;
        m_keep[std::size_t(i)] = 128 * i - m_toward[std::size_t(i)];
    }
}

void HueSaturationMap::apply(std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red) const
{
    const int high = std::max({ red, green, blue });
    const int low = std::min({ red, green, blue });
    const int d = high - low;
    if (d == 0)
        return;
    if (m_hue != 0) {
        // Written without branches on the colour (which channel is largest, which sector it
        // lands in), as those are unpredictable across a photo's pixels.
        const int vRed = m_times60[green] - m_times60[blue];
        const int vGreen = m_times60[blue] - m_times60[red] + 120 * d;
        const int vBlue = m_times60[red] - m_times60[green] - 120 * d;
        int v = red == high ? vRed : (green == high ? vGreen : vBlue);
        v += m_hue * d;
        v += v < 0 ? 360 * d : 0;
        const int sixtyD = 60 * d;
        const int sector = m_sector.quotient(v, d);
        const int rest = v - sector * sixtyD;
        const int x = (sector & 1) ? rest : sixtyD - rest;
        // The largest, middle and smallest value, placed by the sector: 0 and 6 (the full turn)
        // put red on top, green in the middle and blue at the bottom.
        const std::uint8_t values[3] = { std::uint8_t(high), std::uint8_t(high - (x + 30) / 60), std::uint8_t(low) };
        static constexpr std::uint8_t kRed[8] = { 0, 1, 2, 2, 1, 0, 0, 0 };
        static constexpr std::uint8_t kGreen[8] = { 1, 0, 0, 1, 2, 2, 1, 1 };
        static constexpr std::uint8_t kBlue[8] = { 2, 2, 1, 0, 0, 1, 2, 2 };
        const std::size_t slot = std::size_t(sector) & 7;
        red = values[kRed[slot]];
        green = values[kGreen[slot]];
        blue = values[kBlue[slot]];
    }
    if (m_saturate) {
        const int lift = m_toward[std::size_t(high)];
        const auto move = [&](std::uint8_t c) {
            const int sum = m_keep[c] + lift;
            return sum <= 0 ? std::uint8_t(0) : std::uint8_t(std::min(255, sum >> 7));
        };
        red = move(red);
        green = move(green);
        blue = move(blue);
    }
}

void HueSaturationMap::applyPlain(std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red) const
{
    const int high = std::max({ red, green, blue });
    const int low = std::min({ red, green, blue });
    const int d = high - low;
    if (d == 0)
        return;
    if (m_hue != 0) {
        int v;
        if (red == high)
            v = m_times60[green] - m_times60[blue];
        else if (green == high)
            v = m_times60[blue] - m_times60[red] + 120 * d;
        else
            v = m_times60[red] - m_times60[green] - 120 * d;
        v += m_hue * d;
        if (v < 0)
            v += 360 * d;
        const int sixtyD = 60 * d;
        const int sector = v / sixtyD;
        const int rest = v % sixtyD;
        const int x = sector % 2 ? rest : sixtyD - rest;
        const auto mid = std::uint8_t(high - (x + 30) / 60);
        const auto top = std::uint8_t(high), bottom = std::uint8_t(low);
        switch (sector) {
        case 1: red = mid, green = top, blue = bottom; break;
        case 2: red = bottom, green = top, blue = mid; break;
        case 3: red = bottom, green = mid, blue = top; break;
        case 4: red = mid, green = bottom, blue = top; break;
        case 5: red = top, green = bottom, blue = mid; break;
        default: red = top, green = mid, blue = bottom; break; // 0 or 6
        }
    }
    if (m_saturate) {
        const int lift = m_toward[std::size_t(high)];
        const auto move = [&](std::uint8_t c) {
            const int sum = m_keep[c] + lift;
            return sum <= 0 ? std::uint8_t(0) : std::uint8_t(std::min(255, sum >> 7));
        };
        red = move(red);
        green = move(green);
        blue = move(blue);
    }
}

std::optional<Image> hueSaturation(const Image& source, int hue, int saturation, const FilterRun& run)
{
    const ImageType type = imageTypeOf(&source);
    if (type != ImageType::Rgb24 && type != ImageType::Indexed8 && type != ImageType::Indexed4)
        return std::nullopt;
    if (hue == 0 && saturation == 0)
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const HueSaturationMap map(hue, saturation);
    if (type != ImageType::Rgb24) {
        if (!copyPixelRows(source, *result, run))
            return std::nullopt;
        for (Rgbq& entry : result->colorTable())
            map.apply(entry.blue, entry.green, entry.red);
        return result;
    }
    FilterProgress progress(run, source.height());
    const bool whole = runRowBands(run.workers, source.height(), progress, [&](int first, int end, auto&& beforeRow) {
        for (int y = first; y < end; ++y) {
            if (!beforeRow(y))
                return false;
            const std::uint8_t* in = source.storedRow(y);
            std::uint8_t* out = result->storedRow(y);
            for (int x = 0; x < source.width(); ++x, in += 3, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
                map.apply(out[0], out[1], out[2]);
            }
        }
        return true;
    });
    if (!whole)
        return std::nullopt;
    progress.finish();
    return result;
}

} // namespace gp
