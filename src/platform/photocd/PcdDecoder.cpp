#include "PcdDecoder.h"

#include "PcdResiduals.h"

namespace gp::pcd {

namespace {

constexpr std::size_t kFourBaseTableSector = 388;
constexpr std::size_t kFourBaseDataSector = 389;
// The 16Base tables and coded rows follow the 4Base data after the 16Base attribute and
// line-pointer sectors.
constexpr std::size_t kSixteenBaseTableOffset = 12;
constexpr std::size_t kSixteenBaseDataOffset = 14;

Error aborted()
{
    return makeError(ErrorKind::Io, "Photo CD: loading abandoned");
}

// The coded rows of one level: its tables at tableSector, its rows from dataSector to the end of
// the file (the rows end themselves with a terminating sync).
Result<std::vector<HuffmanTable>> readTables(std::span<const std::uint8_t> file, std::size_t tableSector, int count)
{
    ByteReader reader(file);
    if (auto r = reader.seek(tableSector * kSectorSize); !r)
        return makeError(ErrorKind::Truncated, "Photo CD: code tables missing");
    std::vector<HuffmanTable> tables;
    for (int i = 0; i < count; ++i) {
        auto table = HuffmanTable::read(reader);
        if (!table)
            return table.error();
        // Packs of black-and-white film carry one table; a later table of fewer than four codes
        // is no real table and the one before it codes that plane too.
        if (i > 0 && table->entryCount() < 4)
            tables.push_back(tables.back());
        else
            tables.push_back(std::move(*table));
    }
    return tables;
}

Result<std::span<const std::uint8_t>> codedRows(std::span<const std::uint8_t> file, std::size_t dataSector)
{
    if (dataSector * kSectorSize >= file.size())
        return makeError(ErrorKind::Truncated, "Photo CD: coded rows missing");
    return file.subspan(dataSector * kSectorSize);
}

Result<void> addLevelResiduals(std::span<const std::uint8_t> file, std::size_t tableSector, std::size_t dataSector,
    Plane& luma, Plane* c1, Plane* c2, const std::function<bool()>& shouldAbort)
{
    auto tables = readTables(file, tableSector, c1 ? 3 : 1);
    if (!tables)
        return tables.error();
    auto rows = codedRows(file, dataSector);
    if (!rows)
        return rows.error();
    std::array<ResidualTarget, 3> targets { ResidualTarget { &luma, &(*tables)[0] }, ResidualTarget {},
        ResidualTarget {} };
    if (c1 && c2) {
        targets[1] = { c1, &(*tables)[1] };
        targets[2] = { c2, &(*tables)[2] };
    }
    if (!addResiduals(*rows, targets, luma.height, shouldAbort))
        return aborted();
    return {};
}

} // namespace

Result<YccPicture> decodePicture(
    std::span<const std::uint8_t> file, const PackInfo& info, Level level, const std::function<bool()>& shouldAbort)
{
    if (level <= Level::Base)
        return readBasePicture(file, level);

    auto base = readBasePicture(file, Level::Base);
    if (!base)
        return base;
    if (shouldAbort && shouldAbort())
        return aborted();

    // A pack that lacks the level asked for (as most writers make them, with the base levels only)
    // gives that size all the same: Base is scaled up by the bilinear doubling, without residuals.
    YccPicture picture { upsample(base->luma), upsample(base->c1), upsample(base->c2) };
    if (info.highest >= Level::FourBase) {
        auto added = addLevelResiduals(
            file, kFourBaseTableSector, kFourBaseDataSector, picture.luma, nullptr, nullptr, shouldAbort);
        if (!added)
            return added.error();
    }
    if (level == Level::FourBase)
        return picture;

    picture = YccPicture { upsample(picture.luma), upsample(picture.c1), upsample(picture.c2) };
    if (info.highest >= Level::SixteenBase) {
        const std::size_t stop = info.sectorStop4Base;
        if (stop <= kFourBaseDataSector)
            return makeError(ErrorKind::Malformed, "Photo CD: 16Base position is wrong");
        auto added = addLevelResiduals(file, stop + kSixteenBaseTableOffset, stop + kSixteenBaseDataOffset,
            picture.luma, &picture.c1, &picture.c2, shouldAbort);
        if (!added)
            return added.error();
    }
    return picture;
}

} // namespace gp::pcd
