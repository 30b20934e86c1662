#pragma once
// A layout made of up to 100 cell rectangles: a generated layout (in squares of a one-inch grid)
// or a user template (in thousandths of an inch on the portrait page). Stored as 1860-byte
// little-endian records: a 256-byte zero-terminated name, the cell count, 100 rectangles of
// four signed 32-bit values.

#include "base/ByteReader.h"
#include "base/Geometry.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gp {

struct CellTemplate {
    static constexpr std::size_t kRecordSize = 1860;
    static constexpr int kMaxCells = 100;
    static constexpr std::int32_t kMaxCoordinate = 1'000'000; // a thousand inches
    static constexpr std::size_t kNameBytes = 256;

    std::string name;
    std::vector<Rect> cells;

    friend bool operator==(const CellTemplate&, const CellTemplate&) = default;

    // The record's bytes; cells beyond the hundredth are not stored.
    void writeRecord(std::vector<std::uint8_t>& out) const;
    // One record; Malformed when the cell count is outside 1..100.
    static Result<CellTemplate> readRecord(ByteReader& in);
};

} // namespace gp
