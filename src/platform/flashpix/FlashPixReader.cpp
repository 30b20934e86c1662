#include "FlashPixReader.h"

#include "CompoundFileReader.h"
#include "FlashPixFormat.h"
#include "JpegTile.h"
#include "PhotoYcc.h"
#include "PropertySet.h"
#include "base/ByteReader.h"

#include <algorithm>
#include <cmath>

namespace gp::fpx {

namespace {

constexpr int kMostLevels = 32;

Error malformed(const std::string& what)
{
    return makeError(ErrorKind::Malformed, "FlashPix: " + what);
}

// How the stored channels map onto the picture: which ones carry colour, in which space.
struct ChannelLayout {
    int stored = 0; // channels per stored pixel
    std::uint32_t space = 0; // kSpaceMonochrome, kSpacePhotoYcc or kSpaceRgb
    std::vector<int> colorIndex; // stored channel of each colour channel
};

Result<ChannelLayout> channelLayout(const std::vector<std::uint8_t>* blob)
{
    if (!blob || blob->size() < 8)
        return malformed("colour description missing");
    ByteReader r(*blob);
    (void)r.readU32Le();
    const std::uint32_t count = *r.readU32Le();
    if (count < 1 || count > 4 || r.remaining() < count * 4)
        return malformed("bad channel count");
    ChannelLayout layout;
    layout.stored = int(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t code = *r.readU32Le();
        if ((code & 0x7FFF) == kOpacityChannel)
            continue;
        const std::uint32_t space = (code >> 16) & 0x7FFF;
        if (layout.colorIndex.empty())
            layout.space = space;
        else if (space != layout.space)
            return malformed("channels of different colour spaces");
        layout.colorIndex.push_back(int(i));
    }
    const std::size_t wanted = layout.space == kSpaceMonochrome ? 1 : 3;
    if ((layout.space != kSpaceMonochrome && layout.space != kSpacePhotoYcc && layout.space != kSpaceRgb)
        || layout.colorIndex.size() != wanted)
        return makeError(ErrorKind::Unsupported, "FlashPix: colour space not supported");
    return layout;
}

Result<std::vector<std::uint8_t>> readNamedStream(
    const cfb::CompoundFileReader& file, std::uint32_t storage, const std::string& name)
{
    auto id = file.findChild(storage, name);
    if (!id)
        return malformed("stream missing: " + name);
    return file.readStream(*id);
}

struct TileEntry {
    std::uint32_t offset, size, compression, subtype;
};

// One tile's stored samples (64 × 64 × layout.stored).
Result<std::vector<std::uint8_t>> tileSamples(
    const TileEntry& t, std::span<const std::uint8_t> data, const ChannelLayout& layout, const PropertySet& contents)
{
    const std::size_t tileBytes = std::size_t(kTileSize) * kTileSize * std::size_t(layout.stored);
    if (t.compression == kTileSingleColor) {
        std::vector<std::uint8_t> samples(tileBytes);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = std::uint8_t(t.subtype >> (8 * (i % std::size_t(layout.stored))));
        return samples;
    }
    if (std::size_t(t.offset) > data.size() || std::size_t(t.size) > data.size() - t.offset)
        return makeError(ErrorKind::Truncated, "FlashPix: tile outside its data stream");
    const auto bytes = data.subspan(t.offset, t.size);
    if (t.compression == kTileUncompressed) {
        if (bytes.size() < tileBytes)
            return makeError(ErrorKind::Truncated, "FlashPix: uncompressed tile too short");
        return std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(tileBytes));
    }
    if (t.compression == kTileJpeg) {
        const int table = int(t.subtype >> 24);
        const bool fromYcc = ((t.subtype >> 16) & 0xFF) != 0;
        std::span<const std::uint8_t> tables;
        if (table > 0) {
            const auto* blob = contents.blob(levelProperty(kPropJpegTables, table));
            if (!blob)
                return malformed("JPEG tables missing");
            tables = *blob;
        }
        return decodeJpegTile(tables, bytes, layout.stored, fromYcc);
    }
    return makeError(ErrorKind::Unsupported, "FlashPix: tile compression not supported");
}

double dotsPerInch(const PropertySet& contents, int width)
{
    const auto displayWidth = contents.real(kPropDisplayWidth);
    if (!displayWidth || !(*displayWidth > 0) || !std::isfinite(*displayWidth))
        return 0;
    static constexpr double kUnitsPerInch[] = { 1.0, 0.0254, 2.54, 25.4 };
    const auto units = contents.integer(kPropDisplayUnits).value_or(0);
    if (units < 0 || units > 3)
        return 0;
    return width / (*displayWidth / kUnitsPerInch[units]);
}

} // namespace

Result<Raster> readFlashPix(std::span<const std::uint8_t> bytes, std::size_t maxBytes)
{
    auto file = cfb::CompoundFileReader::open(bytes);
    if (!file)
        return file.error();
    const cfb::ClassId rootClass = file->entry(file->rootId()).classId;
    std::uint32_t store = file->rootId();
    if (rootClass == kImageViewClass) {
        auto id = file->findChild(file->rootId(), kImageStoreName);
        if (!id || file->entry(*id).type != 1)
            return malformed("image store missing");
        store = *id;
    } else if (rootClass != kImageClass) {
        return malformed("not a FlashPix image");
    }

    auto contentsStream = readNamedStream(*file, store, kImageContentsName);
    if (!contentsStream)
        return contentsStream.error();
    auto contents = PropertySet::read(*contentsStream);
    if (!contents)
        return contents.error();
    const auto levels = contents->integer(kPropLevelCount);
    if (!levels || *levels < 1 || *levels > kMostLevels)
        return malformed("bad number of resolutions");
    const int top = int(*levels) - 1;
    auto layout = channelLayout(contents->blob(levelProperty(kPropLevelColor, top)));
    if (!layout)
        return layout.error();

    auto level = file->findChild(store, resolutionName(top));
    if (!level || file->entry(*level).type != 1)
        return malformed("full-resolution level missing");
    auto headerStream = readNamedStream(*file, *level, kHeaderStreamName);
    if (!headerStream)
        return headerStream.error();
    auto dataStream = readNamedStream(*file, *level, kDataStreamName);
    if (!dataStream)
        return dataStream.error();

    ByteReader header(*headerStream);
    if (auto s = header.seek(kStreamHeaderSize); !s)
        return s.error();
    std::uint32_t fields[9];
    for (auto& f : fields) {
        auto v = header.readU32Le();
        if (!v)
            return v.error();
        f = *v;
    }
    const auto [length, width, height, tileCount, tileWidth, tileHeight, channels, tableOffset, entrySize] = fields;
    (void)length;
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        return malformed("bad picture size");
    const std::uint32_t across = (width + kTileSize - 1) / kTileSize;
    const std::uint32_t down = (height + kTileSize - 1) / kTileSize;
    if (tileWidth != kTileSize || tileHeight != kTileSize || tileCount != across * down
        || channels != std::uint32_t(layout->stored) || entrySize < 16)
        return malformed("subimage header contradicts the picture");
    const int outChannels = layout->space == kSpaceMonochrome ? 1 : 3;
    if (std::uint64_t(width) * height * std::uint64_t(outChannels) > maxBytes)
        return makeError(ErrorKind::TooLarge, "FlashPix: picture too large");

    Raster raster;
    raster.width = int(width);
    raster.height = int(height);
    raster.channels = outChannels;
    raster.samples.resize(std::size_t(width) * height * std::size_t(outChannels));
    raster.dotsPerInch = dotsPerInch(*contents, raster.width);

    const std::span<const std::uint8_t> data
        = std::span<const std::uint8_t>(*dataStream).subspan(std::min(kStreamHeaderSize, dataStream->size()));
    for (std::uint32_t ty = 0; ty < down; ++ty)
        for (std::uint32_t tx = 0; tx < across; ++tx) {
            const std::size_t entryOffset = kStreamHeaderSize + tableOffset + std::size_t(ty * across + tx) * entrySize;
            if (auto s = header.seek(entryOffset); !s)
                return makeError(ErrorKind::Truncated, "FlashPix: tile table cut short");
            TileEntry t {};
            auto offset = header.readU32Le();
            auto size = header.readU32Le();
            auto compression = header.readU32Le();
            auto subtype = header.readU32Le();
            if (!offset || !size || !compression || !subtype)
                return makeError(ErrorKind::Truncated, "FlashPix: tile table cut short");
            t = { *offset, *size, *compression, *subtype };
            auto samples = tileSamples(t, data, *layout, *contents);
            if (!samples)
                return samples.error();
            const int x0 = int(tx) * kTileSize, y0 = int(ty) * kTileSize;
            for (int y = 0; y < kTileSize && y0 + y < raster.height; ++y)
                for (int x = 0; x < kTileSize && x0 + x < raster.width; ++x) {
                    const std::uint8_t* in
                        = samples->data() + (std::size_t(y) * kTileSize + std::size_t(x)) * std::size_t(layout->stored);
                    std::uint8_t* out = raster.pixel(x0 + x, y0 + y);
                    if (layout->space == kSpacePhotoYcc) {
                        const ycc::Rgb rgb = ycc::toRgb(
                            in[layout->colorIndex[0]], in[layout->colorIndex[1]], in[layout->colorIndex[2]]);
                        out[0] = rgb.red;
                        out[1] = rgb.green;
                        out[2] = rgb.blue;
                    } else {
                        for (int c = 0; c < outChannels; ++c)
                            out[c] = in[layout->colorIndex[std::size_t(c)]];
                    }
                }
        }
    return raster;
}

} // namespace gp::fpx
