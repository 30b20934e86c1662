#pragma once
// Turns decoded YCC planes into the image block the library hands out: a 40-byte bitmap header, room
// for a 256-entry colour table, and bottom-up rows padded to 4 bytes, either 24-bit (blue, green,
// red) or 8-bit gray with a gray colour table. The picture is turned upright by the pack's rotation.
// The block comes from malloc; whoever receives it frees it with free(). The header carries no
// resolution (both pixels-per-metre fields 0): Photo CD pictures have none.

#include "PcdImagePack.h"

#include <cstdlib>
#include <memory>

namespace gp::pcd {

enum class OutputFormat { Rgb24, Gray8 };

inline constexpr std::size_t kHeaderSize = 40;
inline constexpr std::size_t kColorTableRoom = 256 * 4;

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};
using BlockPointer = std::unique_ptr<std::uint8_t, FreeDeleter>;

// Fails with OutOfMemory when the block cannot be had.
Result<BlockPointer> renderBlock(const YccPicture& picture, OutputFormat format, int rotation);

} // namespace gp::pcd
