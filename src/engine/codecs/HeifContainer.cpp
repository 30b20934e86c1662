#include "codecs/HeifContainer.h"

#include "image/Orientation.h"

#include <optional>
#include <vector>

namespace gp {

namespace {

constexpr std::size_t kMaxBoxes = 4096; // more boxes at one level than any real file has

constexpr std::uint32_t fourcc(const char (&name)[5])
{
    return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16
        | std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint8_t(name[3]);
}

std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint16_t u16(const std::uint8_t* p)
{
    return std::uint16_t(p[0] << 8 | p[1]);
}

struct Box {
    std::uint32_t type = 0;
    std::span<const std::uint8_t> body;
};

// The boxes that follow one another in data; parsing stops at the first one that does not fit.
std::vector<Box> boxesIn(std::span<const std::uint8_t> data)
{
    std::vector<Box> boxes;
    std::size_t at = 0;
    while (data.size() - at >= 8 && boxes.size() < kMaxBoxes) {
        std::uint64_t size = u32(data.data() + at);
        const std::uint32_t type = u32(data.data() + at + 4);
        std::size_t header = 8;
        if (size == 1) {
            if (data.size() - at < 16)
                break;
            size = std::uint64_t(u32(data.data() + at + 8)) << 32 | u32(data.data() + at + 12);
            header = 16;
        } else if (size == 0) {
            size = data.size() - at;
        }
        if (size < header || size > data.size() - at)
            break;
        boxes.push_back({ type, data.subspan(at + header, std::size_t(size) - header) });
        at += std::size_t(size);
    }
    return boxes;
}

std::optional<Box> find(const std::vector<Box>& boxes, std::uint32_t type)
{
    for (const Box& box : boxes)
        if (box.type == type)
            return box;
    return std::nullopt;
}

std::optional<std::uint32_t> primaryItem(const Box& pitm)
{
    const auto b = pitm.body;
    if (b.size() >= 6 && b[0] == 0)
        return u16(b.data() + 4);
    if (b.size() >= 8)
        return u32(b.data() + 4);
    return std::nullopt;
}

// The 1-based property indices associated with the item, in their order.
std::vector<std::uint16_t> associations(const Box& ipma, std::uint32_t item)
{
    const auto b = ipma.body;
    if (b.size() < 8)
        return {};
    const int version = b[0];
    const bool wideIndex = (b[3] & 1) != 0;
    const std::uint32_t entries = u32(b.data() + 4);
    std::size_t at = 8;
    for (std::uint32_t e = 0; e < entries; ++e) {
        const std::size_t idSize = version < 1 ? 2 : 4;
        if (b.size() - at < idSize + 1)
            return {};
        const std::uint32_t id = idSize == 2 ? u16(b.data() + at) : u32(b.data() + at);
        at += idSize;
        const int count = b[at++];
        const std::size_t entrySize = wideIndex ? 2 : 1;
        if (b.size() - at < std::size_t(count) * entrySize)
            return {};
        if (id == item) {
            std::vector<std::uint16_t> indices;
            for (int i = 0; i < count; ++i, at += entrySize)
                indices.push_back(wideIndex ? std::uint16_t(u16(b.data() + at) & 0x7FFF) : std::uint16_t(b[at] & 0x7F));
            return indices;
        }
        at += std::size_t(count) * entrySize;
    }
    return {};
}

// A big-endian number of 0, 4 or 8 bytes (the sizes an 'iloc' box allows) at `at`, which moves
// past it; nothing when the bytes run out or the size is another.
std::optional<std::uint64_t> sizedNumber(std::span<const std::uint8_t> b, std::size_t& at, unsigned size)
{
    if ((size != 0 && size != 2 && size != 4 && size != 8) || b.size() - at < size || at > b.size())
        return std::nullopt;
    std::uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i)
        value = value << 8 | b[at + i];
    at += size;
    return value;
}

// Whether start + length (length 0: to the end) lies within `size` bytes, without overflow.
bool inside(std::uint64_t start, std::uint64_t length, std::uint64_t size)
{
    return start <= size && length <= size - start;
}

} // namespace

bool heifItemDataInside(std::span<const std::uint8_t> file)
{
    const auto meta = find(boxesIn(file), fourcc("meta"));
    if (!meta || meta->body.size() < 4)
        return true;
    const std::vector<Box> inMeta = boxesIn(meta->body.subspan(4));
    const auto iloc = find(inMeta, fourcc("iloc"));
    if (!iloc)
        return true;
    const auto idat = find(inMeta, fourcc("idat"));
    const std::uint64_t idatSize = idat ? idat->body.size() : 0;
    const auto b = iloc->body;
    if (b.size() < 6)
        return false;
    const unsigned version = b[0];
    if (version > 2)
        return false;
    const unsigned offsetSize = b[4] >> 4, lengthSize = b[4] & 15, baseSize = b[5] >> 4;
    const unsigned indexSize = version == 0 ? 0 : b[5] & 15;
    std::size_t at = 6;
    const auto items = sizedNumber(b, at, version < 2 ? 2 : 4);
    if (!items)
        return false;
    for (std::uint64_t item = 0; item < *items; ++item) {
        if (!sizedNumber(b, at, version < 2 ? 2 : 4))
            return false;
        std::uint64_t method = 0;
        if (version != 0) {
            const auto field = sizedNumber(b, at, 2);
            if (!field)
                return false;
            method = *field & 15;
        }
        const auto reference = sizedNumber(b, at, 2);
        const auto base = sizedNumber(b, at, baseSize);
        const auto extents = sizedNumber(b, at, 2);
        if (!reference || !base || !extents)
            return false;
        // Data in the file, in the metadata, or (method 2) in another item, bounded by the file.
        const std::uint64_t holder = method == 1 ? idatSize : file.size();
        const std::uint64_t start = method == 2 ? 0 : *base;
        std::uint64_t total = 0;
        for (std::uint64_t extent = 0; extent < *extents; ++extent) {
            if (!sizedNumber(b, at, indexSize))
                return false;
            const auto offset = sizedNumber(b, at, offsetSize);
            const auto length = sizedNumber(b, at, lengthSize);
            if (!offset || !length || !inside(start, *offset, holder)
                || !inside(start + *offset, *length, holder) || !inside(total, *length, holder))
                return false;
            total += *length;
        }
    }
    return true;
}

int heifContainerOrientation(std::span<const std::uint8_t> file)
{
    const auto meta = find(boxesIn(file), fourcc("meta"));
    if (!meta || meta->body.size() < 4)
        return kOrientationNormal;
    const std::vector<Box> inMeta = boxesIn(meta->body.subspan(4)); // after version and flags
    const auto pitm = find(inMeta, fourcc("pitm"));
    const auto iprp = find(inMeta, fourcc("iprp"));
    const auto item = pitm ? primaryItem(*pitm) : std::nullopt;
    if (!item || !iprp)
        return kOrientationNormal;
    const std::vector<Box> inIprp = boxesIn(iprp->body);
    const auto ipco = find(inIprp, fourcc("ipco"));
    if (!ipco)
        return kOrientationNormal;
    const std::vector<Box> properties = boxesIn(ipco->body);
    int orientation = kOrientationNormal;
    for (const Box& ipma : inIprp) {
        if (ipma.type != fourcc("ipma"))
            continue;
        for (std::uint16_t index : associations(ipma, *item)) {
            if (index == 0 || index > properties.size() || properties[index - 1].body.empty())
                continue;
            const Box& property = properties[index - 1];
            const std::uint8_t value = property.body[0];
            if (property.type == fourcc("irot")) {
                // Quarter turns anticlockwise.
                static constexpr int kTurns[4] = { 1, 8, 3, 6 };
                orientation = composeOrientations(orientation, kTurns[value & 3]);
            } else if (property.type == fourcc("imir")) {
                // The decoding library mirrors top to bottom for axis 0 and left to right for
                // axis 1 (its encoder writes them so too); the reported orientation is the one
                // it applied, which the reader tests check against its decoded pixels.
                orientation = composeOrientations(orientation, (value & 1) ? 2 : 4);
            }
        }
    }
    return orientation;
}

} // namespace gp
