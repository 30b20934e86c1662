#pragma once
// The fixed parts of a Photo CD image pack: the pack attributes (rotation, the highest resolution
// stored, where the 4Base data stops) and the three base pictures, which are stored uncompressed as
// YCC 4:2:0 in line pairs (two luma rows, then one row of each chroma component) at fixed sectors.

#include "PcdPlane.h"
#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace gp::pcd {

inline constexpr std::size_t kSectorSize = 2048;

// The five picture sizes, smallest first; stored pictures are landscape, 192·2^k × 128·2^k.
enum class Level { Base16 = 0, Base4 = 1, Base = 2, FourBase = 3, SixteenBase = 4 };

inline int storedWidth(Level level)
{
    return 192 << int(level);
}
inline int storedHeight(Level level)
{
    return 128 << int(level);
}

struct PackInfo {
    int rotation = 0; // counter-clockwise quarter turns that make the picture upright
    Level highest = Level::Base; // the highest level whose data the pack holds
    std::uint32_t sectorStop4Base = 0; // first sector after the 4Base residuals
};

// Luma at full size, chroma at half size in both directions.
struct YccPicture {
    Plane luma;
    Plane c1;
    Plane c2;
};

// Checks the "PCD_IPI" signature and reads the attributes. Malformed when the signature is missing,
// Truncated when the file ends inside the header sectors.
Result<PackInfo> readPackInfo(std::span<const std::uint8_t> file);

// Reads Base/16, Base/4 or Base from its fixed sectors. Truncated when the file ends first.
Result<YccPicture> readBasePicture(std::span<const std::uint8_t> file, Level level);

} // namespace gp::pcd
