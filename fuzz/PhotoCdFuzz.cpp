// Feeds arbitrary bytes to the Photo CD decoder. The first byte picks what the rest is:
//   0: a whole image pack, decoded at every level;
//   1: code tables followed by coded rows, decoded into small planes;
//   2: the 4Base tables and coded rows of a pack whose base pictures are blank.

#include "PcdDecoder.h"
#include "PcdRender.h"
#include "PcdResiduals.h"

#include <cstring>

namespace {

void decodeEveryLevel(std::span<const std::uint8_t> file, gp::pcd::Level highestAsked)
{
    auto info = gp::pcd::readPackInfo(file);
    if (!info)
        return;
    for (int level = 0; level <= int(highestAsked); ++level) {
        auto picture = gp::pcd::decodePicture(file, *info, gp::pcd::Level(level), {});
        if (picture && level == 0)
            (void)gp::pcd::renderBlock(*picture, gp::pcd::OutputFormat::Rgb24, info->rotation);
    }
}

void decodeRows(std::span<const std::uint8_t> input)
{
    gp::ByteReader reader(input);
    std::vector<gp::pcd::HuffmanTable> tables;
    for (int i = 0; i < 3; ++i) {
        auto table = gp::pcd::HuffmanTable::read(reader);
        if (!table)
            return;
        tables.push_back(std::move(*table));
    }
    gp::pcd::Plane luma(96, 64), c1(48, 32), c2(48, 32);
    (void)gp::pcd::addResiduals(input.subspan(reader.position()),
        { gp::pcd::ResidualTarget { &luma, &tables[0] }, { &c1, &tables[1] }, { &c2, &tables[2] } }, 64, {});
}

void decodeFourBase(std::span<const std::uint8_t> input)
{
    std::vector<std::uint8_t> file(388 * gp::pcd::kSectorSize);
    std::memcpy(file.data() + 0x800, "PCD_IPI", 7);
    file[0xE02] = 1 << 2;
    file.insert(file.end(), input.begin(), input.end());
    decodeEveryLevel(file, gp::pcd::Level::FourBase);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: decodeEveryLevel(rest, gp::pcd::Level::SixteenBase); break;
    case 1: decodeRows(rest); break;
    default: decodeFourBase(rest); break;
    }
    return 0;
}
