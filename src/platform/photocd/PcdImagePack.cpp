#include "PcdImagePack.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace gp::pcd {

namespace {

constexpr std::size_t kSignatureOffset = 0x800;
constexpr std::size_t kAttributesOffset = 0xE02;

std::size_t firstDataSector(Level level)
{
    switch (level) {
    case Level::Base16: return 4;
    case Level::Base4: return 23;
    default: return 96;
    }
}

} // namespace

Result<PackInfo> readPackInfo(std::span<const std::uint8_t> file)
{
    ByteReader reader(file);
    if (auto r = reader.seek(kSignatureOffset); !r)
        return r.error();
    auto signature = reader.readBytes(7);
    if (!signature)
        return signature.error();
    if (std::memcmp(signature->data(), "PCD_IPI", 7) != 0)
        return makeError(ErrorKind::Malformed, "Photo CD: no image pack signature");

    if (auto r = reader.seek(kAttributesOffset); !r)
        return r.error();
    auto attributes = reader.readU8();
    auto stop4Base = reader.readU16Be();
    if (!attributes || !stop4Base)
        return makeError(ErrorKind::Truncated, "Photo CD: header ends early");

    PackInfo info;
    info.rotation = *attributes & 0x03;
    // Bits 2-3 name the highest level beyond Base; the value 3 is unassigned and read as 16Base.
    info.highest = Level(int(Level::Base) + std::min((*attributes >> 2) & 0x03, 2));
    info.sectorStop4Base = *stop4Base;
    return info;
}

Result<YccPicture> readBasePicture(std::span<const std::uint8_t> file, Level level)
{
    assert(level <= Level::Base);
    const int width = storedWidth(level);
    const int height = storedHeight(level);
    ByteReader reader(file);
    if (auto r = reader.seek(firstDataSector(level) * kSectorSize); !r)
        return makeError(ErrorKind::Truncated, "Photo CD: picture data missing");
    const std::size_t pairSize = std::size_t(width) * 3;
    if (reader.remaining() < pairSize * std::size_t(height / 2))
        return makeError(ErrorKind::Truncated, "Photo CD: picture data cut short");

    YccPicture picture { Plane(width, height), Plane(width / 2, height / 2), Plane(width / 2, height / 2) };
    for (int pair = 0; pair < height / 2; ++pair) {
        auto bytes = reader.readBytes(pairSize);
        if (!bytes)
            return bytes.error();
        const std::uint8_t* p = bytes->data();
        std::memcpy(picture.luma.row(2 * pair), p, std::size_t(width));
        std::memcpy(picture.luma.row(2 * pair + 1), p + width, std::size_t(width));
        std::memcpy(picture.c1.row(pair), p + 2 * width, std::size_t(width / 2));
        std::memcpy(picture.c2.row(pair), p + 2 * width + width / 2, std::size_t(width / 2));
    }
    return picture;
}

} // namespace gp::pcd
