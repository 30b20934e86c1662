#include "codecs/TiffDirectory.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace gp {

namespace {

constexpr std::size_t kEntrySize = 12;

struct Entry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::array<std::uint8_t, 4> field {}; // the value itself, or the offset of the values
};

std::size_t typeSize(std::uint16_t type)
{
    switch (type) {
    case 1:
    case tiff::kAscii: return 1;
    case tiff::kShort: return 2;
    case tiff::kLong: return 4;
    case tiff::kRational: return 8;
    default: return 0;
    }
}

class DirectoryParser {
public:
    DirectoryParser(const ByteSource& source, bool bigEndian)
        : m_source(source)
        , m_big(bigEndian)
    {
    }

    std::uint32_t u32(const std::uint8_t* p) const { return loadTiffU32(p, m_big); }
    std::uint16_t u16(const std::uint8_t* p) const { return loadTiffU16(p, m_big); }

    Entry entryAt(const std::uint8_t* p) const
    {
        Entry e;
        e.tag = u16(p);
        e.type = u16(p + 2);
        e.count = u32(p + 4);
        std::memcpy(e.field.data(), p + 8, 4);
        return e;
    }

    // The bytes of `count` values of the entry: inside its value field when they fit there,
    // else at the offset the field holds.
    Result<std::span<const std::uint8_t>> values(const Entry& e, std::uint32_t count)
    {
        const std::size_t size = typeSize(e.type);
        if (size == 0)
            return makeError(ErrorKind::Malformed, "TIFF: tag " + std::to_string(e.tag) + " has an unknown type");
        if (std::uint64_t(e.count) * size <= 4)
            return std::span<const std::uint8_t>(e.field.data(), std::size_t(count) * size);
        if (count > m_source.size() / size)
            return makeError(ErrorKind::Truncated, "TIFF: tag " + std::to_string(e.tag) + " runs past the end");
        auto bytes = m_source.view(u32(e.field.data()), std::size_t(count) * size, m_buffer);
        if (!bytes)
            return makeError(ErrorKind::Truncated, "TIFF: tag " + std::to_string(e.tag) + " runs past the end");
        return *bytes;
    }

    // The first value of a BYTE, SHORT or LONG entry.
    Result<std::uint32_t> first(const Entry& e)
    {
        if (e.count == 0 || (e.type != 1 && e.type != tiff::kShort && e.type != tiff::kLong))
            return makeError(ErrorKind::Malformed, "TIFF: tag " + std::to_string(e.tag) + " is not a number");
        auto bytes = values(e, 1);
        if (!bytes)
            return bytes.error();
        return number(e.type, bytes->data());
    }

    // The first `count` values of a SHORT or LONG entry: the strip tables.
    Result<std::vector<std::uint32_t>> all(const Entry& e, std::uint32_t count)
    {
        if (e.type != tiff::kShort && e.type != tiff::kLong)
            return makeError(ErrorKind::Malformed, "TIFF: strip table of type " + std::to_string(e.type));
        auto bytes = values(e, count);
        if (!bytes)
            return bytes.error();
        std::vector<std::uint32_t> out(count);
        const std::size_t size = typeSize(e.type);
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = number(e.type, bytes->data() + i * size);
        return out;
    }

    // numerator div denominator of a RATIONAL, kept in 16 bits; 0 over a zero denominator.
    Result<std::uint16_t> rational(const Entry& e)
    {
        if (e.type != tiff::kRational || e.count == 0)
            return makeError(ErrorKind::Malformed, "TIFF: resolution is not a rational");
        auto bytes = values(e, 1);
        if (!bytes)
            return bytes.error();
        const std::uint32_t denominator = u32(bytes->data() + 4);
        return std::uint16_t(denominator == 0 ? 0 : u32(bytes->data()) / denominator);
    }

    // True when the ASCII entry starts with "RICOH" and its terminating zero.
    bool isCameraMake(const Entry& e)
    {
        static constexpr std::uint8_t kCameraMake[6] = { 'R', 'I', 'C', 'O', 'H', 0 };
        if (e.type != tiff::kAscii || e.count < 6)
            return false;
        auto bytes = values(e, 6);
        return bytes && std::memcmp(bytes->data(), kCameraMake, 6) == 0;
    }

private:
    std::uint32_t number(std::uint16_t type, const std::uint8_t* p) const
    {
        return type == 1 ? *p : type == tiff::kShort ? u16(p) : u32(p);
    }

    const ByteSource& m_source;
    bool m_big;
    std::vector<std::uint8_t> m_buffer;
};

// Strip tables are read once the height is known (see readStripTables); they are kept here.
using StripTableEntries = std::array<std::optional<Entry>, 2>;

Result<void> applyEntry(DirectoryParser& parser, const Entry& e, TiffDirectory& dir, StripTableEntries& stripTables)
{
    auto number = [&](std::uint32_t& field) -> Result<void> {
        auto value = parser.first(e);
        if (!value)
            return value.error();
        field = *value;
        return {};
    };
    switch (e.tag) {
    case tiff::kImageWidth: return number(dir.width);
    case tiff::kImageLength: return number(dir.height);
    case tiff::kBitsPerSample: return number(dir.bitsPerSample);
    case tiff::kCompression: return number(dir.compression);
    case tiff::kPhotometric: return number(dir.photometric);
    case tiff::kSamplesPerPixel: return number(dir.samplesPerPixel);
    case tiff::kRowsPerStrip: return number(dir.rowsPerStrip);
    case tiff::kResolutionUnit: return number(dir.resolutionUnit);
    case tiff::kPredictor: return number(dir.predictor);
    case tiff::kPlanarConfiguration: return number(dir.planarConfiguration);
    case tiff::kOrientation: {
        // A damaged orientation tag leaves the picture as stored rather than refusing it.
        auto value = parser.first(e);
        dir.orientation = value ? *value : 1;
        return {};
    }
    case tiff::kIccProfile:
        // Bytes of type UNDEFINED: only where they are; the reader checks them against the file.
        if (e.count > 4) {
            dir.iccProfileSize = e.count;
            dir.iccProfileOffset = parser.u32(e.field.data());
        }
        return {};
    case tiff::kMake: dir.cameraYcc = parser.isCameraMake(e); return {};
    case tiff::kStripOffsets: stripTables[0] = e; return {};
    case tiff::kStripByteCounts: stripTables[1] = e; return {};
    case tiff::kXResolution:
    case tiff::kYResolution: {
        auto value = parser.rational(e);
        if (!value)
            return value.error();
        (e.tag == tiff::kXResolution ? dir.xResolution : dir.yResolution) = *value;
        return {};
    }
    case tiff::kColorMap:
        dir.hasColorMap = true;
        dir.colorMapCount = e.count;
        dir.colorMapOffset = parser.u32(e.field.data());
        return {};
    default: return {};
    }
}

} // namespace

Result<TiffDirectory> readTiffDirectory(const ByteSource& source)
{
    std::array<std::uint8_t, 8> header {};
    if (!source.readAt(0, header))
        return makeError(ErrorKind::Malformed, "TIFF: shorter than a header");
    TiffDirectory dir;
    if (header[0] == 'I' && header[1] == 'I')
        dir.bigEndian = false;
    else if (header[0] == 'M' && header[1] == 'M')
        dir.bigEndian = true;
    else
        return makeError(ErrorKind::Malformed, "TIFF: no byte-order mark");
    DirectoryParser parser(source, dir.bigEndian);

    const std::uint32_t directoryOffset = parser.u32(header.data() + 4);
    std::array<std::uint8_t, 2> countBytes {};
    if (!source.readAt(directoryOffset, countBytes))
        return makeError(ErrorKind::Malformed, "TIFF: directory offset past the end");
    const std::uint16_t entryCount = parser.u16(countBytes.data());
    if (entryCount > kTiffMaxEntries)
        return makeError(ErrorKind::Malformed, "TIFF: " + std::to_string(entryCount) + " directory entries");
    std::array<std::uint8_t, kTiffMaxEntries * kEntrySize> entries {};
    const std::span<std::uint8_t> used(entries.data(), entryCount * kEntrySize);
    if (!source.readAt(std::uint64_t(directoryOffset) + 2, used))
        return makeError(ErrorKind::Truncated, "TIFF: directory cut short");
    StripTableEntries stripTables;
    for (std::size_t i = 0; i < entryCount; ++i) {
        if (auto applied = applyEntry(parser, parser.entryAt(used.data() + i * kEntrySize), dir, stripTables); !applied)
            return applied.error();
    }
    // Every strip holds at least one row, so no more strips than rows are read: a hostile count
    // costs no more memory than the image could.
    const std::uint32_t usable = std::max<std::uint32_t>(dir.height, 1);
    for (int t = 0; t < 2; ++t) {
        if (!stripTables[t])
            continue;
        auto table = parser.all(*stripTables[t], std::min(stripTables[t]->count, usable));
        if (!table)
            return table.error();
        (t == 0 ? dir.stripOffsets : dir.stripByteCounts) = std::move(*table);
    }
    return dir;
}

} // namespace gp
