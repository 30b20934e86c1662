#include "codecs/PcxWriter.h"

#include "base/ByteReader.h"
#include "codecs/BilevelPolarity.h"
#include "codecs/FileSink.h"
#include "codecs/PcxRunLength.h"
#include "image/ImageType.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>

namespace gp {

namespace {

struct Layout {
    int bitsPerPlane;
    int planes;
    std::size_t bytesPerLine;
};

Layout layoutOf(const Image& image)
{
    const std::size_t width = std::size_t(image.width());
    switch (image.bitsPerPixel()) {
    case 1: return { 1, 1, (width + 7) / 8 };
    case 4: return { 1, 4, (width + 7) / 8 };
    case 8: return { 8, 1, width };
    default: return { 8, 3, width };
    }
}

std::uint16_t pelsPerMeterToDpi(std::int32_t pelsPerMeter)
{
    const std::int64_t dpi = (std::int64_t(std::max(pelsPerMeter, 0)) * 100 + 3936) / 3937;
    return std::uint16_t(std::min<std::int64_t>(dpi, 0xFFFF));
}

// Splits row into the planes of the layout, one after another in planes.
void splitRow(const Image& image, const std::uint8_t* row, const Layout& layout, bool invert, std::uint8_t* planes)
{
    const int width = image.width();
    switch (image.bitsPerPixel()) {
    case 1:
        for (std::size_t i = 0; i < layout.bytesPerLine; ++i)
            planes[i] = invert ? std::uint8_t(~row[i]) : row[i];
        return;
    case 4:
        std::fill(planes, planes + 4 * layout.bytesPerLine, std::uint8_t(0));
        for (int x = 0; x < width; ++x) {
            const int index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
            const auto bit = std::uint8_t(0x80 >> (x % 8));
            for (int p = 0; p < 4; ++p)
                if (index & (1 << p))
                    planes[p * layout.bytesPerLine + std::size_t(x / 8)] |= bit;
        }
        return;
    case 8: std::copy(row, row + width, planes); return;
    default:
        for (int x = 0; x < width; ++x) {
            planes[x] = row[3 * x + 2];
            planes[layout.bytesPerLine + std::size_t(x)] = row[3 * x + 1];
            planes[2 * layout.bytesPerLine + std::size_t(x)] = row[3 * x];
        }
        return;
    }
}

} // namespace

std::vector<std::uint8_t> pcxHeader(const Image& image)
{
    const Layout layout = layoutOf(image);
    if (image.width() > 0x10000 || image.height() > 0x10000 || layout.bytesPerLine > 0xFFFF)
        return {};
    std::vector<std::uint8_t> header(128, 0);
    std::uint8_t* p = header.data();
    p[0] = 10;
    p[1] = 5;
    p[2] = 1;
    p[3] = std::uint8_t(layout.bitsPerPlane);
    storeU16Le(p + 8, std::uint16_t(image.width() - 1));
    storeU16Le(p + 10, std::uint16_t(image.height() - 1));
    storeU16Le(p + 12, pelsPerMeterToDpi(image.xPelsPerMeter()));
    storeU16Le(p + 14, pelsPerMeterToDpi(image.yPelsPerMeter()));
    if (image.bitsPerPixel() == 4) {
        for (int i = 0; i < image.colorCount() && i < 16; ++i) {
            const Rgbq c = image.color(i);
            p[16 + 3 * i] = c.red;
            p[17 + 3 * i] = c.green;
            p[18 + 3 * i] = c.blue;
        }
    } else if (image.bitsPerPixel() == 1) {
        std::fill(p + 19, p + 22, std::uint8_t(255));
    }
    p[65] = std::uint8_t(layout.planes);
    storeU16Le(p + 66, std::uint16_t(layout.bytesPerLine));
    storeU16Le(p + 68, isGrayscale(&image) ? 2 : 1);
    return header;
}

WriteResult writePcxFile(const std::string& path, const Image& image, Host& host)
{
    if (image.isNull())
        return WriteResult::Reported;
    const auto header = pcxHeader(image);
    if (header.empty())
        return WriteResult::Reported;
    FileSink sink(path);
    if (!sink.isOpen()) {
        host.message(text(StringId::CaptionWarning), text(StringId::DiskError), Icon::Warning);
        return WriteResult::Reported;
    }
    sink.write(header);

    const Layout layout = layoutOf(image);
    const bool invert = firstColorIsLighter(image);
    std::vector<std::uint8_t> planes(std::size_t(layout.planes) * layout.bytesPerLine);
    std::vector<std::uint8_t> coded;
    coded.reserve(planes.size() * 2);
    for (int y = 0; y < image.height(); ++y) {
        splitRow(image, image.row(y), layout, invert, planes.data());
        coded.clear();
        for (int p = 0; p < layout.planes; ++p)
            encodePcxRuns(std::span(planes).subspan(std::size_t(p) * layout.bytesPerLine, layout.bytesPerLine), coded);
        sink.write(coded);
    }

    if (image.bitsPerPixel() == 8) {
        std::vector<std::uint8_t> palette(769, 0);
        palette[0] = 12;
        for (int i = 0; i < image.colorCount() && i < 256; ++i) {
            const Rgbq c = image.color(i);
            palette[std::size_t(1 + 3 * i)] = c.red;
            palette[std::size_t(2 + 3 * i)] = c.green;
            palette[std::size_t(3 + 3 * i)] = c.blue;
        }
        sink.write(palette);
    }
    return sink.finish() ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
