#pragma once

// The LZW coder shared by the TIFF and GIF codecs. Both formats use a 4096-entry string table
// with clear and end codes right after the roots; they differ in the root size, the bit order of
// the packed codes, and whether code widths grow one code early (TIFF) or exactly when the next
// code no longer fits (GIF).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gp {

enum class LzwBitOrder { MostSignificantFirst, LeastSignificantFirst };

struct LzwCodeRules {
    int rootBits = 8; // roots are 0 .. 2^rootBits - 1; clear = 2^rootBits, end = clear + 1
    LzwBitOrder order = LzwBitOrder::MostSignificantFirst;
    bool earlyChange = true; // widths grow when the next free code is one below the limit
    int trailingEndCodes = 1; // how many end codes the encoder writes at the end
};

// TIFF compression 5: 8-bit roots, codes packed most significant bit first, early change, and
// (as our writer has always done) the end code written twice.
inline constexpr LzwCodeRules kTiffLzwRules { 8, LzwBitOrder::MostSignificantFirst, true, 2 };

// GIF image data with the given minimum code size (2..8; 1 is treated as 2 by GIF writers).
constexpr LzwCodeRules gifLzwRules(int minimumCodeSize)
{
    return { minimumCodeSize, LzwBitOrder::LeastSignificantFirst, false, 1 };
}

inline constexpr int kLzwMaxBits = 12;
inline constexpr int kLzwTableSize = 1 << kLzwMaxBits;

// Decodes one LZW stream held in memory. Reads can be of any size (a row at a time): a string
// that does not fit is kept and continues the next read. The stream ends at the end code, at the
// end of the data, or at a code the table cannot hold yet (corrupt data); reads then come back
// short and finished() is true. The decoder never reads outside `data`.
class LzwDecoder {
public:
    LzwDecoder(LzwCodeRules rules, std::span<const std::uint8_t> data);

    // Fills `out` with the next decoded bytes and returns how many were written; fewer than
    // out.size() only once the stream has ended.
    std::size_t read(std::span<std::uint8_t> out);

    bool finished() const { return m_finished; }

    // True when the stream ended on a code that was neither a known entry nor the next free one.
    bool corrupt() const { return m_corrupt; }

private:
    template <LzwBitOrder Order> std::size_t readCodes(std::span<std::uint8_t> out);
    void resetTable();

    LzwCodeRules m_rules;
    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
    std::uint64_t m_bits = 0;
    int m_bitCount = 0;

    unsigned m_clearCode;
    unsigned m_nextFree = 0;
    int m_width = 0;
    int m_previous = -1;

    std::array<std::uint16_t, kLzwTableSize> m_prefix {};
    std::array<std::uint8_t, kLzwTableSize> m_suffix {};
    std::array<std::uint8_t, kLzwTableSize> m_first {};
    std::array<std::uint16_t, kLzwTableSize> m_length {};

    // The unread tail of a string that did not fit into the caller's buffer.
    std::array<std::uint8_t, kLzwTableSize> m_pending {};
    std::size_t m_pendingStart = 0;
    std::size_t m_pendingEnd = 0;

    bool m_finished = false;
    bool m_corrupt = false;
};

// Decodes one whole LZW stream into one contiguous buffer: the same bytes LzwDecoder gives for
// the same stream and buffer size, found faster. Every string the table holds has been written
// to `out` before, so each code's string is copied from where it last appeared, in 16-byte
// pieces, instead of walked back through the table a byte at a time; codes are read straight
// from the data at their bit position. Returns how many bytes were written; fewer than
// out.size() when the stream ended first (end code, end of data or a corrupt code). The bytes of
// `out` past that count may have been scribbled on and are the caller's to clear.
std::size_t decodeLzwStream(LzwCodeRules rules, std::span<const std::uint8_t> data, std::span<std::uint8_t> out);

// Coded bytes handed to the whole-stream decoder a window at a time, so a long stream (a TIFF
// file written as one strip) need not be held whole beside its picture.
class LzwInput {
public:
    virtual ~LzwInput() = default;
    // The bytes held now.
    virtual std::span<const std::uint8_t> window() const = 0;
    // Drops the window's first `consumed` bytes and appends what follows them; false, with the
    // window unchanged, when nothing follows.
    virtual bool advance(std::size_t consumed) = 0;
};

// The same decoding from a windowed input: the same bytes as from the whole stream at once.
std::size_t decodeLzwStream(LzwCodeRules rules, LzwInput& input, std::span<std::uint8_t> out);

// Encodes a byte stream given in pieces. Packed bytes are appended to the caller's vector, which
// the caller drains as it likes (TIFF writes them straight out, GIF cuts them into sub-blocks).
// The stream starts with a clear code; after entry 4093 is added a clear code starts a new table.
class LzwEncoder {
public:
    explicit LzwEncoder(LzwCodeRules rules);

    void encode(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out);

    // Writes the pending string's code, the end code(s) and the last partial byte.
    void finish(std::vector<std::uint8_t>& out);

private:
    void putCode(unsigned code, std::vector<std::uint8_t>& out);
    void resetTable();
    std::size_t slotFor(std::uint32_t key) const;

    LzwCodeRules m_rules;
    unsigned m_clearCode;
    unsigned m_endCode;
    unsigned m_nextFree = 0;
    int m_width = 0;
    int m_current = -1;
    bool m_started = false;

    std::uint32_t m_bits = 0;
    int m_bitCount = 0;

    // The table as an open-addressed hash of (prefix code, byte) to code: the same strings and
    // codes as any other LZW table, found in a step or two instead of walking sibling lists.
    static constexpr std::size_t kHashSize = 8192;
    std::array<std::uint32_t, kHashSize> m_keys {};
    std::array<std::uint16_t, kHashSize> m_codes {};
};

} // namespace gp
