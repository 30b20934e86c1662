#pragma once
// The Huffman-coded residuals of 4Base and 16Base. A level is the interpolated level below plus
// signed 8-bit residuals. Its code tables (HCT) give, per code, its length and its residual; its
// coded rows (ICD) are a bit stream in which every row starts with a sync (23 one bits and a zero)
// and a 16-bit header naming the plane (0 luma, 2 C1, 3 C2) and the row in luma rows.

#include "PcdPlane.h"
#include "base/ByteReader.h"
#include "base/Result.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace gp::pcd {

class HuffmanTable {
public:
    struct Entry {
        std::uint8_t length = 0; // 0: no code starts with these bits
        std::int8_t residual = 0;
    };

    // Reads one table: a count byte (entries − 1), then per entry its length − 1, its code
    // left-aligned in 16 bits (big-endian) and its residual.
    static Result<HuffmanTable> read(ByteReader& reader);

    int entryCount() const { return m_entryCount; }
    // The code that the next 16 bits of the stream start with.
    Entry lookup(std::uint16_t nextBits) const { return m_lookup[nextBits]; }

private:
    std::vector<Entry> m_lookup; // indexed by the next 16 bits
    int m_entryCount = 0;
};

// Where the residuals of one plane go: the plane to add them to and the table that codes them.
struct ResidualTarget {
    Plane* plane = nullptr;
    const HuffmanTable* table = nullptr;
};

// Decodes the coded rows in data and adds each residual to its sample, clamped to 0..255. targets
// holds luma, C1 and C2; planes without a target are skipped. Decoding ends at the sync whose row
// equals lumaHeight or at the end of the data. A code not in the table leaves the rest of its row
// unchanged and decoding goes on at the next sync. shouldAbort is asked between rows; false is
// returned when it answered true.
bool addResiduals(std::span<const std::uint8_t> data, const std::array<ResidualTarget, 3>& targets, int lumaHeight,
    const std::function<bool()>& shouldAbort);

} // namespace gp::pcd
