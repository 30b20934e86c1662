#include "editing/tone/ChannelTables.h"

#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace gp {

LevelTable identityTable()
{
    LevelTable table {};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = std::uint8_t(i);
    return table;
}

ChannelTables identityTables()
{
    return { identityTable(), identityTable(), identityTable() };
}

ChannelTables tablesForChannel(ToneChannel channel, const LevelTable& curve)
{
    ChannelTables tables = identityTables();
    if (channel == ToneChannel::All || channel == ToneChannel::Red)
        tables.red = curve;
    if (channel == ToneChannel::All || channel == ToneChannel::Green)
        tables.green = curve;
    if (channel == ToneChannel::All || channel == ToneChannel::Blue)
        tables.blue = curve;
    return tables;
}

namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define GP_BYTE_PERMUTE_TABLES 1

// Byte k of a 192-byte block (64 pixels) belongs to channel k % 3; the masks of each of the
// block's three 64-byte vectors mark its green and its red bytes.
struct ChannelMasks {
    std::uint64_t green[3] {}, red[3] {};
    constexpr ChannelMasks()
    {
        for (int k = 0; k < 192; ++k) {
            if (k % 3 == 1)
                green[k / 64] |= std::uint64_t(1) << (k % 64);
            if (k % 3 == 2)
                red[k / 64] |= std::uint64_t(1) << (k % 64);
        }
    }
};
constexpr ChannelMasks kChannelMasks;

#define GP_BYTE_PERMUTES __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// 64 bytes looked up at once in a 256-entry table held in four registers: two two-register
// permutes for the table's low and high halves, each index's top bit choosing between them.
GP_BYTE_PERMUTES inline __m512i lookUp(const __m512i (&quarters)[4], __m512i index)
{
    const __m512i low = _mm512_permutex2var_epi8(quarters[0], index, quarters[1]);
    const __m512i high = _mm512_permutex2var_epi8(quarters[2], index, quarters[3]);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), low, high);
}

// On processors with byte permutes across 64-byte registers each of the three tables lives in
// four registers; each vector of a block is looked up in all three and the channel masks pick
// each byte's own. Returns the pixels done, a multiple of 64.
GP_BYTE_PERMUTES int mapRgbBlocksByPermutes(
    const std::uint8_t* in, std::uint8_t* out, int width, const ChannelTables& t)
{
    const std::uint8_t* const tables[3] = { t.blue.data(), t.green.data(), t.red.data() };
    __m512i quarters[3][4];
    for (int c = 0; c < 3; ++c)
        for (int q = 0; q < 4; ++q)
            quarters[c][q] = _mm512_loadu_si512(tables[c] + 64 * q);
    int x = 0;
    for (; x + 64 <= width; x += 64, in += 192, out += 192)
        for (int k = 0; k < 3; ++k) {
            const __m512i index = _mm512_loadu_si512(in + 64 * k);
            __m512i mapped = _mm512_mask_blend_epi8(kChannelMasks.green[k], lookUp(quarters[0], index), lookUp(quarters[1], index));
            mapped = _mm512_mask_blend_epi8(kChannelMasks.red[k], mapped, lookUp(quarters[2], index));
            _mm512_storeu_si512(out + 64 * k, mapped);
        }
    return x;
}

bool haveBytePermutes()
{
    static const bool have = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return have;
}
#endif

// One row of blue-green-red pixels through their tables: by whole vectors where the processor
// allows, the rest a pixel at a time.
void mapRgbRow(const std::uint8_t* in, std::uint8_t* out, int width, const ChannelTables& t)
{
    int x = 0;
#ifdef GP_BYTE_PERMUTE_TABLES
    if (haveBytePermutes()) {
        x = mapRgbBlocksByPermutes(in, out, width, t);
        in += 3 * x;
        out += 3 * x;
    }
#endif
    for (; x < width; ++x, in += 3, out += 3) {
        out[0] = t.blue[in[0]];
        out[1] = t.green[in[1]];
        out[2] = t.red[in[2]];
    }
}

bool mapRgbRows(const Image& source, Image& result, const ChannelTables& t, const FilterRun& run)
{
    FilterProgress progress(run, source.height());
    const int width = source.width();
    const bool whole = runRowBands(run.workers, source.height(), progress, [&](int first, int end, auto&& beforeRow) {
        for (int y = first; y < end; ++y) {
            if (!beforeRow(y))
                return false;
            mapRgbRow(source.storedRow(y), result.storedRow(y), width, t);
        }
        return true;
    });
    if (!whole)
        return false;
    progress.finish();
    return true;
}

bool mapGrayRows(const Image& source, Image& result, const LevelTable& table, const FilterRun& run)
{
    const auto palette = source.colorTable();
    std::copy(palette.begin(), palette.end(), result.colorTable().begin());
    FilterProgress progress(run, source.height());
    const int width = source.width();
    const bool whole = runRowBands(run.workers, source.height(), progress, [&](int first, int end, auto&& beforeRow) {
        for (int y = first; y < end; ++y) {
            if (!beforeRow(y))
                return false;
            const std::uint8_t* in = source.storedRow(y);
            std::uint8_t* out = result.storedRow(y);
            for (int x = 0; x < width; ++x)
                out[x] = table[in[x]];
        }
        return true;
    });
    if (!whole)
        return false;
    progress.finish();
    return true;
}

// Indexed images: the palette changes, the pixels are copied.
bool copyRowsMapPalette(const Image& source, Image& result, const ChannelTables& t, const FilterRun& run)
{
    if (!copyPixelRows(source, result, run))
        return false;
    const auto from = source.colorTable();
    auto to = result.colorTable();
    for (std::size_t i = 0; i < from.size(); ++i)
        to[i] = Rgbq { t.blue[from[i].blue], t.green[from[i].green], t.red[from[i].red], 0 };
    return true;
}

} // namespace

std::optional<Image> applyChannelTables(const Image& source, const ChannelTables& tables, const FilterRun& run)
{
    const ImageType type = imageTypeOf(&source);
    if (type != ImageType::Rgb24 && type != ImageType::Gray8 && type != ImageType::Indexed8
        && type != ImageType::Indexed4)
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = run.allocator.image(source.width(), source.height(), source.bitsPerPixel(), source.colorCount());
    if (!result)
        return std::nullopt;
    result->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    bool done = false;
    switch (type) {
    case ImageType::Rgb24: done = mapRgbRows(source, *result, tables, run); break;
    case ImageType::Gray8: done = mapGrayRows(source, *result, tables.red, run); break;
    default: done = copyRowsMapPalette(source, *result, tables, run); break;
    }
    if (!done)
        return std::nullopt;
    return result;
}

} // namespace gp
