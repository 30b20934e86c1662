#include "editing/tone/ChannelTables.h"

#include "editing/effects/FilterSupport.h"
#include "image/ImageType.h"

#include <algorithm>

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

bool mapRgbRows(const Image& source, Image& result, const ChannelTables& t, const FilterRun& run)
{
    FilterProgress progress(run, source.height());
    const int width = source.width();
    const bool whole = runRowBands(run.workers, source.height(), progress, [&](int first, int end, auto&& beforeRow) {
        for (int y = first; y < end; ++y) {
            if (!beforeRow(y))
                return false;
            const std::uint8_t* in = source.storedRow(y);
            std::uint8_t* out = result.storedRow(y);
            for (int x = 0; x < width; ++x, in += 3, out += 3) {
                out[0] = t.blue[in[0]];
                out[1] = t.green[in[1]];
                out[2] = t.red[in[2]];
            }
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
