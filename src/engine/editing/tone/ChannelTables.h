#pragma once
// Applies three 256-entry lookup tables (red, green, blue) to an image, the common last step of
// Brightness and Contrast and of Tone Adjustment. 24-bit pixels go through the table of their
// channel; a grayscale image keeps its palette and maps every pixel index through the red table;
// indexed 8- and 4-bit images keep their pixels and map every palette entry. Returns a new image;
// nothing for a 1-bit or other image, on Escape, or when the memory cannot be had.

#include "editing/FilterRun.h"

#include <array>
#include <cstdint>
#include <optional>

namespace gp {

using LevelTable = std::array<std::uint8_t, 256>;

// The channel selector of the adjustment dialogs.
enum class ToneChannel { All = 1, Red = 2, Green = 3, Blue = 4 };

struct ChannelTables {
    LevelTable red;
    LevelTable green;
    LevelTable blue;
};

LevelTable identityTable();
ChannelTables identityTables();
// `curve` in the selected channels (all three for All), the identity in the others.
ChannelTables tablesForChannel(ToneChannel channel, const LevelTable& curve);

std::optional<Image> applyChannelTables(const Image& source, const ChannelTables& tables, const FilterRun& run);

} // namespace gp
