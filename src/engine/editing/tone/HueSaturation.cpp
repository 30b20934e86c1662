#include "editing/tone/HueSaturation.h"

#include "editing/VectorClones.h"
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
    , m_saturation(saturation)
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

namespace {

// apply() over a row of blue, green, red pixels, written as one straight loop with every choice
// a select and no table, so the compiler can work several pixels at once in its vector lanes.
// Both divisions by a variable are done in single precision, where they are exact: the sector's
// quotient v / 60d (v < 480d, d <= 255) lies at least 1/15300 below the next whole number, and
// the saturation's (128·i·s + 50) / 100 (numerator below 2^22 in size, a whole float) at least
// 1/100 from it, both far more than a float's rounding there, so the truncation gives the integer
// quotient. Gray pixels (spread 0) keep their value, as in apply().
template <bool Turn, bool Saturate>
inline __attribute__((always_inline)) void turnPixels(
    const std::uint8_t* __restrict in, std::uint8_t* __restrict out, int count, int hue, int saturation)
{
    // m_toward of apply(): (128·i·s + 50) / 100, truncated toward zero as C's division is.
    const auto toward = [saturation](int i) { return int(float(128 * i * saturation + 50) / 100.0f); };
    for (int x = 0; x < count; ++x) {
        const int b = in[3 * x], g = in[3 * x + 1], r = in[3 * x + 2];
        const int high = std::max(r, std::max(g, b));
        const int low = std::min(r, std::min(g, b));
        const int d = high - low;
        const int spread = d > 0 ? d : 1;
        int nr = r, ng = g, nb = b;
        if constexpr (Turn) {
            const int vRed = 60 * (g - b);
            const int vGreen = 60 * (b - r) + 120 * d;
            const int vBlue = 60 * (r - g) - 120 * d;
            int v = vBlue;
            v = g == high ? vGreen : v;
            v = r == high ? vRed : v;
            v += hue * d;
            v += v < 0 ? 360 * d : 0;
            // With a spread of 0 everything below is 0, so mid stays at high and in range.
            const int sixtyD = 60 * d;
            const int sector = int(float(v) / float(60 * spread));
            const int rest = v - sector * sixtyD;
            const int turned = (sector & 1) ? rest : sixtyD - rest;
            // (t + 30) / 60 as a multiplication by 17477 = ceil(2^20 / 60), exact while t + 30 < 23879,
            // and t is at most 60 · 255.
            const int mid = high - int((unsigned(turned + 30) * 17477u) >> 20);
            // Bitwise ors and one select each, no short-circuit branches.
            nr = ((sector == 2) | (sector == 3)) ? low : high;
            nr = ((sector == 1) | (sector == 4)) ? mid : nr;
            ng = ((sector == 4) | (sector == 5)) ? low : mid;
            ng = ((sector == 1) | (sector == 2)) ? high : ng;
            nb = ((sector == 2) | (sector == 5)) ? mid : low;
            nb = ((sector == 3) | (sector == 4)) ? high : nb;
        }
        if constexpr (Saturate) {
            // m_keep[c] + m_toward[high] of apply().
            const int lift = toward(high);
            const int sr = 128 * nr - toward(nr) + lift;
            const int sg = 128 * ng - toward(ng) + lift;
            const int sb = 128 * nb - toward(nb) + lift;
            nr = sr <= 0 ? 0 : std::min(255, sr >> 7);
            ng = sg <= 0 ? 0 : std::min(255, sg >> 7);
            nb = sb <= 0 ? 0 : std::min(255, sb >> 7);
        }
        out[3 * x] = std::uint8_t(d == 0 ? b : nb);
        out[3 * x + 1] = std::uint8_t(d == 0 ? g : ng);
        out[3 * x + 2] = std::uint8_t(d == 0 ? r : nr);
    }
}

// The loops below have no multiply-add a wider instruction set could fuse, so a version for the
// 512-bit lanes of newer x86-64 processors gives the same bytes (GCC names that level; other
// compilers build the common versions).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define GP_HUE_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define GP_HUE_CLONES GP_VECTOR_CLONES
#endif

// One compiled loop for each combination, so none holds a branch.
GP_HUE_CLONES
void turnRow(const std::uint8_t* in, std::uint8_t* out, int count, int hue, int saturation)
{
    turnPixels<true, false>(in, out, count, hue, saturation);
}

GP_HUE_CLONES
void turnAndSaturateRow(const std::uint8_t* in, std::uint8_t* out, int count, int hue, int saturation)
{
    turnPixels<true, true>(in, out, count, hue, saturation);
}

GP_HUE_CLONES
void saturateRow(const std::uint8_t* in, std::uint8_t* out, int count, int hue, int saturation)
{
    turnPixels<false, true>(in, out, count, hue, saturation);
}

} // namespace

void HueSaturationMap::applyRow(const std::uint8_t* in, std::uint8_t* out, int count) const
{
    if (m_hue == 0 && !m_saturate) {
        std::copy(in, in + 3 * std::size_t(std::max(count, 0)), out);
        return;
    }
    const auto row = m_hue == 0 ? saturateRow : (m_saturate ? turnAndSaturateRow : turnRow);
    row(in, out, count, m_hue, m_saturation);
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
            map.applyRow(source.storedRow(y), result->storedRow(y), source.width());
        }
        return true;
    });
    if (!whole)
        return std::nullopt;
    progress.finish();
    return result;
}

} // namespace gp
