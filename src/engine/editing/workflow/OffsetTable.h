#pragma once
// The offset table of a frame picture: where the frame's window sits for each template cell.
// The ".off" file beside the frame picture is text: entries of two signed decimal numbers x and y
// separated by a blank and ended by a comma; any other character is ignored, and an entry whose
// second number is empty reads as (0, 0). Entry i belongs to template cell i.

#include "base/Geometry.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace gp {

inline constexpr int kOffsetEntries = 256;

class OffsetTable {
public:
    // All entries (0, 0).
    OffsetTable() = default;

    static OffsetTable parse(std::string_view text);
    // The table of the file named like framePath with the extension ".off"; all (0, 0) when it
    // cannot be read. Reads at most a bounded prefix, far more than 256 entries can need.
    static OffsetTable forFrame(const std::filesystem::path& framePath);

    // The entry of a cell; (0, 0) for cells outside the table.
    Point at(int cell) const;

private:
    std::array<Point, kOffsetEntries> m_entries {};
};

// The ".off" (or ".msk") file that belongs to a frame picture.
std::filesystem::path companionFile(const std::filesystem::path& framePath, std::string_view extension);

} // namespace gp
