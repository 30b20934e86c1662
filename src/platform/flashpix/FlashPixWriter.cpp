#include "FlashPixWriter.h"

#include "CompoundFileWriter.h"
#include "FlashPixFormat.h"
#include "JpegTile.h"
#include "PropertySet.h"
#include "base/ByteReader.h"

#include <algorithm>

namespace gp::fpx {

namespace {

constexpr std::uint32_t kJpegTableNumber = 1;
constexpr std::uint32_t kSubimageHeaderLength = 36;
constexpr std::uint32_t kTileEntrySize = 16;

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    std::uint8_t b[4];
    storeU32Le(b, v);
    out.insert(out.end(), b, b + 4);
}

std::vector<std::uint8_t> streamHeader(const cfb::ClassId& id)
{
    std::vector<std::uint8_t> out { 0xFE, 0xFF, 0x00, 0x00 };
    appendU32(out, 0x00020005);
    out.insert(out.end(), id.begin(), id.end());
    appendU32(out, 1);
    return out;
}

// The tile at (tx, ty), with the last column and row repeated past the raster's edge.
std::vector<std::uint8_t> cutTile(const Raster& r, int tx, int ty)
{
    const std::size_t ch = std::size_t(r.channels);
    std::vector<std::uint8_t> tile(std::size_t(kTileSize) * kTileSize * ch);
    for (int y = 0; y < kTileSize; ++y) {
        const int sy = std::min(ty * kTileSize + y, r.height - 1);
        for (int x = 0; x < kTileSize; ++x) {
            const int sx = std::min(tx * kTileSize + x, r.width - 1);
            std::copy_n(r.pixel(sx, sy), ch, tile.data() + (std::size_t(y) * kTileSize + std::size_t(x)) * ch);
        }
    }
    return tile;
}

std::vector<std::uint8_t> colorDescription(int channels)
{
    std::vector<std::uint8_t> blob;
    appendU32(blob, 1);
    appendU32(blob, std::uint32_t(channels));
    for (int c = 0; c < channels; ++c)
        appendU32(blob, ((channels == 1 ? kSpaceMonochrome : kSpaceRgb) << 16) | std::uint32_t(c));
    return blob;
}

// JPEG subtype: table number in byte 3, RGB-to-YCbCr conversion in byte 2, subsampling in byte 1.
std::uint32_t jpegSubtype(int channels)
{
    return channels == 3 ? (kJpegTableNumber << 24) | 0x00012200u : (kJpegTableNumber << 24) | 0x00001100u;
}

Result<cfb::Node> levelStorage(const Raster& r, int number, const WriteOptions& options, JpegTileEncoder* encoder)
{
    const int tilesAcross = (r.width + kTileSize - 1) / kTileSize;
    const int tilesDown = (r.height + kTileSize - 1) / kTileSize;
    std::vector<std::uint8_t> header = streamHeader(kSubimageHeaderClass);
    for (std::uint32_t v : { kSubimageHeaderLength, std::uint32_t(r.width), std::uint32_t(r.height),
             std::uint32_t(tilesAcross * tilesDown), std::uint32_t(kTileSize), std::uint32_t(kTileSize),
             std::uint32_t(r.channels), kSubimageHeaderLength, kTileEntrySize })
        appendU32(header, v);
    std::vector<std::uint8_t> data = streamHeader(kSubimageDataClass);
    for (int ty = 0; ty < tilesDown; ++ty)
        for (int tx = 0; tx < tilesAcross; ++tx) {
            std::vector<std::uint8_t> tile = cutTile(r, tx, ty);
            std::uint32_t compression = kTileUncompressed;
            std::uint32_t subtype = 0;
            if (options.coding == TileCoding::Jpeg) {
                auto coded = encoder->encode(tile);
                if (!coded)
                    return coded.error();
                tile = std::move(*coded);
                compression = kTileJpeg;
                subtype = jpegSubtype(r.channels);
            }
            appendU32(header, std::uint32_t(data.size() - kStreamHeaderSize));
            appendU32(header, std::uint32_t(tile.size()));
            appendU32(header, compression);
            appendU32(header, subtype);
            data.insert(data.end(), tile.begin(), tile.end());
        }
    return cfb::Node::storage(resolutionName(number), kResolutionClass,
        { cfb::Node::stream(kHeaderStreamName, std::move(header)),
            cfb::Node::stream(kDataStreamName, std::move(data)) });
}

} // namespace

Raster halve(const Raster& r)
{
    Raster out;
    out.width = (r.width + 1) / 2;
    out.height = (r.height + 1) / 2;
    out.channels = r.channels;
    out.dotsPerInch = r.dotsPerInch / 2;
    out.samples.resize(std::size_t(out.width) * std::size_t(out.height) * std::size_t(r.channels));
    for (int y = 0; y < out.height; ++y) {
        const int y0 = 2 * y, y1 = std::min(2 * y + 1, r.height - 1);
        for (int x = 0; x < out.width; ++x) {
            const int x0 = 2 * x, x1 = std::min(2 * x + 1, r.width - 1);
            for (int c = 0; c < r.channels; ++c)
                out.pixel(x, y)[c] = std::uint8_t(
                    (r.pixel(x0, y0)[c] + r.pixel(x1, y0)[c] + r.pixel(x0, y1)[c] + r.pixel(x1, y1)[c] + 2) >> 2);
        }
    }
    return out;
}

Result<std::vector<std::uint8_t>> buildFlashPix(const Raster& raster, const WriteOptions& options)
{
    if (raster.width <= 0 || raster.height <= 0 || (raster.channels != 1 && raster.channels != 3))
        return makeError(ErrorKind::Unsupported, "FlashPix: nothing to write");

    std::vector<Raster> levels;
    levels.push_back(raster);
    while (levels.back().width > kTileSize || levels.back().height > kTileSize)
        levels.push_back(halve(levels.back()));
    const int count = int(levels.size());

    PropertySet contents;
    contents.setInteger(kPropLevelCount, kTypeUI4, count);
    contents.setInteger(kPropFullWidth, kTypeUI4, raster.width);
    contents.setInteger(kPropFullHeight, kTypeUI4, raster.height);
    if (raster.dotsPerInch > 0) {
        contents.setFloat(kPropDisplayHeight, float(raster.height / raster.dotsPerInch));
        contents.setFloat(kPropDisplayWidth, float(raster.width / raster.dotsPerInch));
        contents.setInteger(kPropDisplayUnits, kTypeUI4, 0); // inches
    }

    std::unique_ptr<JpegTileEncoder> encoder;
    if (options.coding == TileCoding::Jpeg) {
        encoder = std::make_unique<JpegTileEncoder>(raster.channels, std::clamp(options.quality, 1, 100));
        auto tables = encoder->tables();
        if (!tables)
            return tables.error();
        contents.setBlob(levelProperty(kPropJpegTables, int(kJpegTableNumber)), std::move(*tables));
        contents.setInteger(kPropLastJpegTable, kTypeUI4, kJpegTableNumber);
    }

    std::vector<cfb::Node> store;
    for (int i = 0; i < count; ++i) {
        const int number = count - 1 - i; // level 0 is the smallest
        const Raster& level = levels[std::size_t(i)];
        contents.setInteger(levelProperty(kPropLevelWidth, number), kTypeUI4, level.width);
        contents.setInteger(levelProperty(kPropLevelHeight, number), kTypeUI4, level.height);
        contents.setBlob(levelProperty(kPropLevelColor, number), colorDescription(level.channels));
        contents.setVector(levelProperty(kPropLevelFormat, number), { kSampleFormatUnsigned8 });
        contents.setInteger(levelProperty(kPropLevelDecimation, number), kTypeI4, i == 0 ? 0 : 2);
        auto storage = levelStorage(level, number, options, encoder.get());
        if (!storage)
            return storage.error();
        store.push_back(std::move(*storage));
    }
    store.push_back(cfb::Node::stream(kImageContentsName, contents.write(kImageContentsFormat)));
    store.push_back(cfb::Node::stream(kSummaryName, PropertySet().write(kSummaryFormat)));

    PropertySet global;
    global.setVector(0x00010100, { 1 }); // visible outputs: data object 1
    global.setInteger(0x00010101, kTypeUI4, 1); // highest image index
    global.setInteger(0x00010102, kTypeUI4, 0); // highest transform index
    global.setInteger(0x00010103, kTypeUI4, 0); // highest operation index
    PropertySet dataObject;
    dataObject.setInteger(0x00010100, kTypeUI4, 0x00010000); // status
    dataObject.setInteger(0x00010101, kTypeUI4, 0); // creator 0: the source image

    const cfb::Node root = cfb::Node::storage("Root Entry", kImageViewClass,
        { cfb::Node::stream(kSummaryName, PropertySet().write(kSummaryFormat)),
            cfb::Node::stream(kGlobalInfoName, global.write(kGlobalInfoFormat)),
            cfb::Node::stream(kDataObjectName, dataObject.write(kDataObjectFormat)),
            cfb::Node::storage(kImageStoreName, kImageClass, std::move(store)) });
    return cfb::writeCompoundFile(root);
}

} // namespace gp::fpx
