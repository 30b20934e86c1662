#include "codecs/TgaWriter.h"

#include "base/ByteReader.h"
#include "codecs/BilevelPolarity.h"
#include "codecs/FileSink.h"
#include "codecs/TgaRunLength.h"
#include "image/ImageType.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

constexpr std::uint8_t kRunLengthFlag = 8;

// Pixels of fewer than 8 bits go out as bytes: other programs read TGA pixels of 8 bits and more
// only.
int pixelDepth(const Image& image)
{
    return image.bitsPerPixel() == 24 ? 24 : 8;
}

// One byte a pixel: the colour index of a 4-bit pixel, black or white (0 or 255) for a 1-bit one.
void widenRow(const Image& image, const std::uint8_t* row, std::span<std::uint8_t> out)
{
    if (image.bitsPerPixel() == 4) {
        for (std::size_t x = 0; x < out.size(); ++x)
            out[x] = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
        return;
    }
    const bool invert = firstColorIsLighter(image);
    for (std::size_t x = 0; x < out.size(); ++x) {
        const bool set = ((row[x / 8] >> (7 - x % 8)) & 1) != 0;
        out[x] = set != invert ? 255 : 0;
    }
}

} // namespace

std::vector<std::uint8_t> tgaHeader(const Image& image, bool compress)
{
    if (image.width() > 0xFFFF || image.height() > 0xFFFF)
        return {};
    const ImageType kind = imageTypeOf(&image);
    const bool mapped = kind == ImageType::Indexed8 || kind == ImageType::Indexed4;
    std::uint8_t imageType = mapped ? 1 : kind == ImageType::Rgb24 ? 2 : 3;
    if (compress)
        imageType |= kRunLengthFlag;

    std::vector<std::uint8_t> header(18, 0);
    std::uint8_t* p = header.data();
    p[1] = mapped ? 1 : 0;
    p[2] = imageType;
    if (mapped) {
        storeU16Le(p + 5, std::uint16_t(image.colorCount()));
        p[7] = 24;
    }
    storeU16Le(p + 12, std::uint16_t(image.width()));
    storeU16Le(p + 14, std::uint16_t(image.height()));
    p[16] = std::uint8_t(pixelDepth(image));
    if (mapped) {
        for (const Rgbq& c : image.colorTable())
            header.insert(header.end(), { c.blue, c.green, c.red });
    }
    return header;
}

WriteResult writeTgaFile(const std::string& path, const Image& image, bool compress, Host& host)
{
    if (image.isNull())
        return WriteResult::Reported;
    const auto header = tgaHeader(image, compress);
    if (header.empty())
        return WriteResult::Reported;
    FileSink sink(path);
    if (!sink.isOpen()) {
        host.message(text(StringId::CaptionWarning), text(StringId::DiskError), Icon::Warning);
        return WriteResult::Reported;
    }
    sink.write(header);

    const int bits = image.bitsPerPixel();
    const std::size_t rowBytes = std::size_t(image.width()) * std::size_t(pixelDepth(image) / 8);
    const std::size_t pixelSize = bits == 24 ? 3 : 1;
    std::vector<std::uint8_t> widened(bits < 8 ? rowBytes : 0);
    std::vector<std::uint8_t> coded;
    for (int i = 0; i < image.height(); ++i) {
        std::span<const std::uint8_t> row(image.storedRow(i), rowBytes);
        if (bits < 8) {
            widenRow(image, row.data(), widened);
            row = widened;
        }
        if (!compress) {
            sink.write(row);
            continue;
        }
        coded.clear();
        encodeTgaRow(row, pixelSize, coded);
        sink.write(coded);
    }
    return sink.finish() ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
