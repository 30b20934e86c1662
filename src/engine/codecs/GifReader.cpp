#include "codecs/GifReader.h"

#include "base/AtomicFile.h"
#include "base/ByteReader.h"
#include "codecs/Lzw.h"

#include <cstring>
#include <optional>
#include <vector>

namespace gp {

namespace {

constexpr std::size_t kScreenDescriptorEnd = 13;
constexpr std::uint8_t kImageSeparator = 0x2C; // ','
constexpr std::uint8_t kExtensionIntroducer = 0x21; // '!'
constexpr std::uint8_t kTrailer = 0x3B; // ';'
constexpr std::uint8_t kTablePresent = 0x80;
constexpr std::uint8_t kInterlaced = 0x40;

struct ColorTable {
    std::size_t offset = 0;
    int bits = 1; // 2^bits entries of red, green, blue
    bool present = false;

    std::size_t size() const { return present ? 3 * (std::size_t(1) << bits) : 0; }
};

struct ImageDescriptor {
    int width = 0;
    int height = 0;
    bool interlaced = false;
    ColorTable table; // the one in use: the local table, else the global one
    std::size_t dataOffset = 0; // the minimum code size byte
};

ColorTable tableAt(std::size_t offset, std::uint8_t packed)
{
    return { offset, (packed & 7) + 1, (packed & kTablePresent) != 0 };
}

// The offset just past the extension block at `start` (introducer, label, sub-blocks up to the
// zero-length one), or nothing when the file ends inside it.
std::optional<std::size_t> skipExtension(std::span<const std::uint8_t> file, std::size_t start)
{
    std::size_t pos = start + 2;
    while (pos < file.size()) {
        const std::size_t length = file[pos];
        if (length == 0)
            return pos + 1;
        pos += 1 + length;
    }
    return std::nullopt;
}

// The offset of the first image descriptor after the global table. Extension blocks are stepped
// over by their lengths, so a comment holding a comma or a frame delay of 44 is not mistaken for
// the separator. A byte that starts no block (stray bytes some writers leave) makes the search go
// on byte by byte until the next separator.
std::optional<std::size_t> findImageDescriptor(std::span<const std::uint8_t> file, std::size_t pos)
{
    bool structured = true;
    while (pos < file.size()) {
        const std::uint8_t byte = file[pos];
        if (byte == kImageSeparator)
            return pos;
        if (structured && byte == kTrailer)
            return std::nullopt;
        if (structured && byte == kExtensionIntroducer) {
            auto end = skipExtension(file, pos);
            if (!end)
                return std::nullopt;
            pos = *end;
            continue;
        }
        structured = false;
        ++pos;
    }
    return std::nullopt;
}

Result<ImageDescriptor> readImageDescriptor(std::span<const std::uint8_t> file)
{
    ByteReader in(file);
    auto signature = in.readBytes(6);
    if (!signature
        || (std::memcmp(signature->data(), "GIF87a", 6) != 0 && std::memcmp(signature->data(), "GIF89a", 6) != 0))
        return makeError(ErrorKind::Malformed, "GIF: no GIF87a or GIF89a signature");
    auto screen = in.readBytes(7); // width, height, packed byte, background, aspect
    if (!screen)
        return makeError(ErrorKind::Truncated, "GIF: short screen descriptor");
    const ColorTable global = tableAt(kScreenDescriptorEnd, (*screen)[4]);
    if (global.size() > file.size() - kScreenDescriptorEnd)
        return makeError(ErrorKind::Truncated, "GIF: global colour table cut short");

    auto separator = findImageDescriptor(file, kScreenDescriptorEnd + global.size());
    if (!separator)
        return makeError(ErrorKind::Malformed, "GIF: no image in the file");
    (void)in.seek(*separator + 1);
    auto fields = in.readBytes(9); // left, top, width, height, packed byte
    if (!fields)
        return makeError(ErrorKind::Truncated, "GIF: short image descriptor");
    ImageDescriptor d;
    d.width = loadU16Le(fields->data() + 4);
    d.height = loadU16Le(fields->data() + 6);
    const std::uint8_t packed = (*fields)[8];
    d.interlaced = (packed & kInterlaced) != 0;
    const ColorTable local = tableAt(in.position(), packed);
    // Without any table, the global descriptor's size field still tells the depth.
    d.table = local.present ? local : global;
    if (local.size() > in.remaining())
        return makeError(ErrorKind::Truncated, "GIF: local colour table cut short");
    d.dataOffset = in.position() + local.size();
    if (d.width == 0 || d.height == 0)
        return makeError(ErrorKind::Malformed, "GIF: empty image");
    return d;
}

int documentBits(int tableBits)
{
    return tableBits == 1 ? 1 : tableBits <= 4 ? 4 : 8;
}

// The image data's sub-blocks joined into one buffer. Data that ends without its zero-length
// block gives what is there.
std::vector<std::uint8_t> gatherSubBlocks(std::span<const std::uint8_t> file, std::size_t pos)
{
    std::vector<std::uint8_t> data;
    while (pos < file.size()) {
        const std::size_t length = file[pos++];
        if (length == 0)
            break;
        const std::size_t available = std::min(length, file.size() - pos);
        data.insert(data.end(), file.begin() + std::ptrdiff_t(pos), file.begin() + std::ptrdiff_t(pos + available));
        pos += available;
    }
    return data;
}

// Packs one row of indices at the image's depth: 4-bit high nibble first, 1-bit most significant
// bit first. Indices are cut to the depth's bits.
void packRow(std::span<const std::uint8_t> indices, int bits, std::uint8_t* row)
{
    if (bits == 8) {
        std::memcpy(row, indices.data(), indices.size());
        return;
    }
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t x = 0; x < indices.size(); ++x) {
        const int shift = 8 - bits * (int(x % perByte) + 1);
        row[x / perByte] = std::uint8_t(row[x / perByte] | ((indices[x] & mask) << shift));
    }
}

} // namespace

int gifInterlacedRow(int index, int height)
{
    static constexpr int kStart[4] = { 0, 4, 2, 1 };
    static constexpr int kStep[4] = { 8, 8, 4, 2 };
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (index < rows)
            return kStart[pass] + index * kStep[pass];
        index -= rows;
    }
    return -1;
}

ReadResult decodeGif(std::span<const std::uint8_t> file, const Allocator& allocator)
{
    auto descriptor = readImageDescriptor(file);
    if (!descriptor)
        return ReadResult::noImage(descriptor.error().message);
    const ImageDescriptor& d = *descriptor;
    const int bits = documentBits(d.table.bits);
    if (bits > 1 && !d.table.present)
        return ReadResult::noImage("GIF: no colour table for a " + std::to_string(bits) + "-bit image");
    if (d.dataOffset >= file.size())
        return ReadResult::noImage("GIF: no image data");
    const int minimumCodeSize = file[d.dataOffset];
    if (minimumCodeSize < 1 || minimumCodeSize > 8)
        return ReadResult::noImage("GIF: minimum code size " + std::to_string(minimumCodeSize));

    auto image = allocator.image(d.width, d.height, bits, 1 << d.table.bits, "Warning");
    if (!image)
        return ReadResult::noImage("GIF: not enough memory");
    if (bits == 1) {
        image->setColor(0, Rgbq { 0, 0, 0, 0 });
        image->setColor(1, Rgbq { 255, 255, 255, 0 });
    } else {
        const std::uint8_t* rgb = file.data() + d.table.offset;
        for (int i = 0; i < image->colorCount(); ++i, rgb += 3)
            image->setColor(i, Rgbq { rgb[2], rgb[1], rgb[0], 0 });
    }

    const std::vector<std::uint8_t> data = gatherSubBlocks(file, d.dataOffset + 1);
    LzwDecoder decoder(gifLzwRules(minimumCodeSize), data);
    std::vector<std::uint8_t> indices(std::size_t(d.width));
    for (int i = 0; i < d.height; ++i) {
        const std::size_t decoded = decoder.read(indices);
        const int y = d.interlaced ? gifInterlacedRow(i, d.height) : i;
        packRow(std::span(indices).first(decoded), bits, image->row(y));
        if (decoded < indices.size())
            break; // the pixels not reached keep index 0
    }
    return ReadResult::read(std::move(*image));
}

ReadResult readGifFile(const std::string& path, const Allocator& allocator)
{
    // A file larger than twice the block ceiling is refused before it is read.
    const std::size_t limit = allocator.ceiling() > SIZE_MAX / 4 ? SIZE_MAX / 2 : allocator.ceiling() * 2 + 65536;
    auto bytes = readWholeFile(path, limit);
    if (!bytes) {
        if (bytes.error().kind == ErrorKind::TooLarge)
            allocator.reportOutOfMemory();
        return ReadResult::noImage(bytes.error().message);
    }
    return decodeGif(*bytes, allocator);
}

} // namespace gp
