#include "PcdResiduals.h"

#include <algorithm>

namespace gp::pcd {

namespace {

constexpr std::uint32_t kSync = 0xFFFFFE;

// An MSB-first bit cursor; bits past the end of the data read as zero.
class BitStream {
public:
    explicit BitStream(std::span<const std::uint8_t> data)
        : m_data(data)
    {
    }

    std::uint32_t peek24() const
    {
        const std::size_t byte = m_bit >> 3;
        std::uint32_t window = 0;
        for (std::size_t i = 0; i < 4; ++i)
            window = (window << 8) | (byte + i < m_data.size() ? m_data[byte + i] : 0u);
        return (window >> (8 - (m_bit & 7))) & 0xFFFFFF;
    }
    std::uint16_t peek16() const { return std::uint16_t(peek24() >> 8); }
    void skip(std::size_t bits) { m_bit += bits; }
    bool exhausted() const { return m_bit >= m_data.size() * 8; }

    // Moves past the next sync; false when the data ends first.
    bool skipToSync()
    {
        while (!exhausted()) {
            // A sync that starts anywhere in a byte fills the whole byte after it with ones, so
            // while the cursor is aligned a byte whose successor is not 0xFF is passed over whole.
            const std::size_t next = (m_bit >> 3) + 1;
            if ((m_bit & 7) == 0 && (next >= m_data.size() || m_data[next] != 0xFF)) {
                m_bit += 8;
                continue;
            }
            if (peek24() == kSync) {
                m_bit += 24;
                return true;
            }
            ++m_bit;
        }
        return false;
    }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_bit = 0;
};

int targetIndex(int planeCode)
{
    switch (planeCode) {
    case 0: return 0;
    case 2: return 1;
    case 3: return 2;
    default: return -1;
    }
}

} // namespace

Result<HuffmanTable> HuffmanTable::read(ByteReader& reader)
{
    auto count = reader.readU8();
    if (!count)
        return count.error();
    HuffmanTable table;
    table.m_entryCount = *count + 1;
    table.m_lookup.resize(std::size_t(1) << 16);
    for (int i = 0; i < table.m_entryCount; ++i) {
        auto entry = reader.readBytes(4);
        if (!entry)
            return entry.error();
        const int length = ((*entry)[0] & 0x0F) + 1;
        const std::uint16_t code = loadU16Be(entry->data() + 1) & std::uint16_t(0xFFFF << (16 - length));
        const Entry value { std::uint8_t(length), std::int8_t((*entry)[3]) };
        const std::size_t span = std::size_t(1) << (16 - length);
        std::fill_n(table.m_lookup.begin() + code, span, value);
    }
    return table;
}

bool addResiduals(std::span<const std::uint8_t> data, const std::array<ResidualTarget, 3>& targets, int lumaHeight,
    const std::function<bool()>& shouldAbort)
{
    BitStream bits(data);
    while (bits.skipToSync()) {
        if (shouldAbort && shouldAbort())
            return false;
        const std::uint16_t header = bits.peek16();
        bits.skip(16);
        const int planeCode = header >> 14;
        const int lumaRow = (header >> 1) & 0x1FFF;
        if (lumaRow >= lumaHeight)
            break;
        const int index = targetIndex(planeCode);
        if (index < 0 || !targets[std::size_t(index)].plane)
            continue;
        Plane& plane = *targets[std::size_t(index)].plane;
        const HuffmanTable& table = *targets[std::size_t(index)].table;
        const int row = index == 0 ? lumaRow : lumaRow / 2;
        if (row >= plane.height)
            continue;
        std::uint8_t* samples = plane.row(row);
        for (int x = 0; x < plane.width && !bits.exhausted(); ++x) {
            const HuffmanTable::Entry code = table.lookup(bits.peek16());
            if (code.length == 0)
                break;
            bits.skip(code.length);
            samples[x] = std::uint8_t(std::clamp(samples[x] + code.residual, 0, 255));
        }
    }
    return true;
}

} // namespace gp::pcd
