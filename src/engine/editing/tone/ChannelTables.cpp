#include "editing/tone/ChannelTables.h"

#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

// One row of blue-green-red pixels through their tables. Eight pixels (24 bytes, three 64-bit
// words) go at a time, read and written a word at once, so the loads and stores left are the
// table lookups themselves; the channel of each byte in the words is fixed.
void mapRgbRow(const std::uint8_t* in, std::uint8_t* out, int width, const ChannelTables& t)
{
    static_assert(std::endian::native == std::endian::little, "byte b of a word is the b-th byte in memory");
    const std::uint8_t* const tables[3] = { t.blue.data(), t.green.data(), t.red.data() };
    int x = 0;
    for (; x + 8 <= width; x += 8, in += 24, out += 24) {
        std::uint64_t words[3];
        std::memcpy(words, in, 24);
        for (int w = 0; w < 3; ++w) {
            std::uint64_t mapped = 0;
            for (int b = 0; b < 8; ++b)
                mapped |= std::uint64_t(tables[(w * 8 + b) % 3][(words[w] >> (8 * b)) & 0xff]) << (8 * b);
            words[w] = mapped;
        }
        std::memcpy(out, words, 24);
    }
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
