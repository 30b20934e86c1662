#include "codecs/Lzw.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace gp {

namespace {

// The decoder widens once its next free code reaches 2^width (one code sooner with early
// change). The encoder is one entry ahead of the decoder, so it applies the same test to the
// code it has just added.
bool shouldWiden(unsigned code, int width, bool earlyChange)
{
    return width < kLzwMaxBits && code + (earlyChange ? 1U : 0U) >= (1U << width);
}

} // namespace

LzwDecoder::LzwDecoder(LzwCodeRules rules, std::span<const std::uint8_t> data)
    : m_rules(rules)
    , m_data(data)
    , m_clearCode(1U << rules.rootBits)
{
    for (unsigned root = 0; root < m_clearCode; ++root) {
        m_suffix[root] = static_cast<std::uint8_t>(root);
        m_first[root] = static_cast<std::uint8_t>(root);
        m_length[root] = 1;
    }
    resetTable();
}

void LzwDecoder::resetTable()
{
    m_nextFree = m_clearCode + 2;
    m_width = m_rules.rootBits + 1;
    m_previous = -1;
}

std::size_t LzwDecoder::read(std::span<std::uint8_t> out)
{
    std::size_t written = 0;
    if (m_pendingStart < m_pendingEnd) {
        written = std::min(out.size(), m_pendingEnd - m_pendingStart);
        std::copy_n(m_pending.begin() + static_cast<std::ptrdiff_t>(m_pendingStart), written, out.begin());
        m_pendingStart += written;
    }
    if (written == out.size() || m_finished)
        return written;
    const auto rest = out.subspan(written);
    if (m_rules.order == LzwBitOrder::MostSignificantFirst)
        return written + readCodes<LzwBitOrder::MostSignificantFirst>(rest);
    return written + readCodes<LzwBitOrder::LeastSignificantFirst>(rest);
}

template <LzwBitOrder Order> std::size_t LzwDecoder::readCodes(std::span<std::uint8_t> out)
{
    // The loop keeps the decoder's state in locals: the byte stores into `out` could alias any
    // member, which would make the compiler reload every one of them for each code.
    const std::uint8_t* const data = m_data.data();
    const std::size_t size = m_data.size();
    std::size_t position = m_position;
    std::uint64_t bits = m_bits;
    int bitCount = m_bitCount;
    int width = m_width;
    unsigned nextFree = m_nextFree;
    int previous = m_previous;
    std::uint16_t* const prefix = m_prefix.data();
    std::uint8_t* const suffix = m_suffix.data();
    std::uint8_t* const first = m_first.data();
    std::uint16_t* const lengths = m_length.data();
    std::uint8_t* const pending = m_pending.data();
    std::uint8_t* const target = out.data();
    const std::size_t capacity = out.size();
    const unsigned clearCode = m_clearCode;
    const int rootBits = m_rules.rootBits;
    const bool earlyChange = m_rules.earlyChange;
    std::size_t written = 0;

    while (written < capacity) {
        if (bitCount < width) {
            // Top up the bit buffer a few bytes at a time; it holds at most 64 bits.
            while (bitCount <= 56 && position < size) {
                const std::uint64_t byte = data[position++];
                if constexpr (Order == LzwBitOrder::MostSignificantFirst)
                    bits = (bits << 8) | byte;
                else
                    bits |= byte << bitCount;
                bitCount += 8;
            }
            if (bitCount < width) {
                m_finished = true;
                break;
            }
        }
        const unsigned mask = (1U << width) - 1;
        unsigned code = 0;
        if constexpr (Order == LzwBitOrder::MostSignificantFirst) {
            code = static_cast<unsigned>(bits >> (bitCount - width)) & mask;
        } else {
            code = static_cast<unsigned>(bits) & mask;
            bits >>= width;
        }
        bitCount -= width;

        if (code - clearCode < 2) {
            if (code != clearCode) {
                m_finished = true; // the end code
                break;
            }
            nextFree = clearCode + 2;
            width = rootBits + 1;
            previous = -1;
            continue;
        }
        if (previous < 0) {
            if (code > clearCode) {
                m_finished = m_corrupt = true;
                break;
            }
        } else {
            // Codes are at most 12 bits, so a full table never sees the next free code.
            if (code > nextFree) {
                m_finished = m_corrupt = true;
                break;
            }
            if (nextFree < kLzwTableSize) {
                // The new entry is the previous string plus the first byte of this one. Its own
                // first byte is set before that lookup, so a code defined by this very step
                // (code == nextFree) finds the previous string's first byte there.
                const auto before = static_cast<unsigned>(previous);
                first[nextFree] = first[before];
                suffix[nextFree] = first[code];
                prefix[nextFree] = static_cast<std::uint16_t>(before);
                lengths[nextFree] = static_cast<std::uint16_t>(lengths[before] + 1);
                ++nextFree;
                if (shouldWiden(nextFree, width, earlyChange))
                    ++width;
            }
        }
        previous = static_cast<int>(code);

        // Strings are stored back to front, so each is written from its last byte down; one
        // that does not fit goes to the pending buffer and continues the next read.
        const std::size_t length = lengths[code];
        const std::size_t room = capacity - written;
        std::uint8_t* const end = length <= room ? target + written : pending;
        unsigned walk = code;
        for (std::size_t i = length; i-- > 0;) {
            end[i] = suffix[walk];
            walk = prefix[walk];
        }
        if (length <= room) {
            written += length;
        } else {
            std::copy_n(pending, room, target + written);
            written += room;
            m_pendingStart = room;
            m_pendingEnd = length;
        }
    }

    m_position = position;
    m_bits = bits;
    m_bitCount = bitCount;
    m_width = width;
    m_nextFree = nextFree;
    m_previous = previous;
    return written;
}

namespace {

// Strings are copied in pieces of this many bytes; the bytes a piece carries past a string's end
// land where the next strings go and are overwritten by them.
constexpr std::size_t kPiece = 16;

std::uint64_t loadU64Be(const std::uint8_t* p)
{
    std::uint64_t value;
    std::memcpy(&value, p, 8);
    if constexpr (std::endian::native == std::endian::little)
        value = __builtin_bswap64(value);
    return value;
}

std::uint64_t loadU64Le(const std::uint8_t* p)
{
    std::uint64_t value;
    std::memcpy(&value, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        value = __builtin_bswap64(value);
    return value;
}

void copyPiece(std::uint8_t* to, const std::uint8_t* from)
{
    std::uint8_t piece[kPiece];
    std::memcpy(piece, from, kPiece);
    std::memcpy(to, piece, kPiece);
}

// Every byte value at its own index, with room for a piece copied from the last one.
constexpr std::array<std::uint8_t, 256 + kPiece> kRootBytes = [] {
    std::array<std::uint8_t, 256 + kPiece> bytes {};
    for (std::size_t i = 0; i < 256; ++i)
        bytes[i] = std::uint8_t(i);
    return bytes;
}();

// A stream held whole: there is never more.
class WholeInput final : public LzwInput {
public:
    explicit WholeInput(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    std::span<const std::uint8_t> window() const override { return m_bytes; }
    bool advance(std::size_t) override { return false; }

private:
    std::span<const std::uint8_t> m_bytes;
};

template <LzwBitOrder Order>
std::size_t decodeStream(LzwCodeRules rules, LzwInput& input, std::span<std::uint8_t> out)
{
    // Where each entry's string starts and its length. An entry is the previous string followed
    // by the first byte of the next one, and the next string is always written right behind the
    // previous, so the entry's bytes lie together in what is written. Roots point into a table
    // of all byte values, so every code is copied the same way.
    std::array<const std::uint8_t*, kLzwTableSize> sources;
    std::array<std::uint16_t, kLzwTableSize> lengths;
    const unsigned clearCode = 1U << rules.rootBits;
    for (unsigned root = 0; root < clearCode; ++root) {
        sources[root] = kRootBytes.data() + root;
        lengths[root] = 1;
    }
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::uint64_t totalBits = 0, fastBits = 0;
    // Codes are read at a bit position in the input's window; away from its end each comes out
    // of one 8-byte load, so no bit buffer has to be topped up.
    const auto takeWindow = [&] {
        const std::span<const std::uint8_t> window = input.window();
        data = window.data();
        size = window.size();
        totalBits = std::uint64_t(size) * 8;
        fastBits = size >= 8 ? std::uint64_t(size - 8) * 8 : 0;
    };
    takeWindow();
    bool more = true; // the input may still have bytes after its window
    std::uint8_t* const target = out.data();
    const std::size_t capacity = out.size();
    const unsigned early = rules.earlyChange ? 1U : 0U;
    std::uint64_t bit = 0;
    int width = rules.rootBits + 1;
    unsigned widenAt = (1U << width) - early; // the next free code that makes codes one bit wider
    unsigned nextFree = clearCode + 2;
    bool afterClear = true;
    const std::uint8_t* previousSource = nullptr;
    std::size_t previousLength = 0;
    std::size_t written = 0;

    while (written < capacity) {
        unsigned code;
        if (bit <= fastBits && size >= 8) {
            const std::uint8_t* at = data + (bit >> 3);
            if constexpr (Order == LzwBitOrder::MostSignificantFirst)
                code = unsigned((loadU64Be(at) << (bit & 7)) >> (64 - width));
            else
                code = unsigned(loadU64Le(at) >> (bit & 7)) & ((1U << width) - 1);
        } else {
            // Near the window's end: the bytes from the current one on move to the front of a
            // new window with more behind them, and the code is read again.
            if (more) {
                more = input.advance(std::size_t(bit >> 3));
                if (more) {
                    takeWindow();
                    bit &= 7;
                    continue;
                }
            }
            // The last bytes: the code's bits one at a time, as far as the data goes.
            if (bit + std::uint64_t(width) > totalBits)
                break;
            code = 0;
            for (int i = 0; i < width; ++i) {
                const std::uint64_t b = bit + std::uint64_t(i);
                if constexpr (Order == LzwBitOrder::MostSignificantFirst)
                    code = (code << 1) | ((data[b >> 3] >> (7 - (b & 7))) & 1U);
                else
                    code |= unsigned((data[b >> 3] >> (b & 7)) & 1U) << i;
            }
        }
        bit += std::uint64_t(width);

        std::uint8_t* const destination = target + written;
        std::size_t length;
        const std::uint8_t* source;
        if (code - clearCode < 2 || code >= nextFree || afterClear) [[unlikely]] {
            if (code == clearCode) {
                nextFree = clearCode + 2;
                width = rules.rootBits + 1;
                widenAt = (1U << width) - early;
                afterClear = true;
                continue;
            }
            if (code == clearCode + 1)
                break; // the end code
            if (afterClear) {
                if (code > clearCode)
                    break; // corrupt: only a root may follow a clear code
                afterClear = false;
                source = sources[code];
                length = 1;
            } else {
                // Codes are at most 12 bits, so a full table never gets here.
                if (code > nextFree)
                    break; // corrupt: a code the table cannot hold yet
                // The entry this very step defines: the previous string and its own first
                // byte, which is the previous string's first byte.
                length = previousLength + 1;
                const std::size_t count = std::min(length, capacity - written);
                std::memmove(destination, previousSource, std::min(previousLength, count));
                if (count == length)
                    destination[previousLength] = previousSource[0];
                sources[nextFree] = previousSource;
                lengths[nextFree] = std::uint16_t(length);
                if (++nextFree >= widenAt && width < kLzwMaxBits) {
                    ++width;
                    widenAt = (1U << width) - early;
                }
                previousSource = destination;
                previousLength = length;
                written += count;
                continue;
            }
        } else {
            if (nextFree < kLzwTableSize) {
                sources[nextFree] = previousSource;
                lengths[nextFree] = std::uint16_t(previousLength + 1);
                if (++nextFree >= widenAt && width < kLzwMaxBits) {
                    ++width;
                    widenAt = (1U << width) - early;
                }
            }
            source = sources[code];
            length = lengths[code];
        }
        if (length + kPiece <= capacity - written) [[likely]] {
            // The string lies wholly before `destination` (it was written before), so pieces
            // copied front to back never read what this copy wrote inside the string.
            std::size_t done = 0;
            do {
                copyPiece(destination + done, source + done);
                done += kPiece;
            } while (done < length);
            written += length;
        } else {
            const std::size_t count = std::min(length, capacity - written);
            std::memmove(destination, source, count);
            written += count;
        }
        previousSource = destination;
        previousLength = length;
    }
    return written;
}

} // namespace

std::size_t decodeLzwStream(LzwCodeRules rules, LzwInput& input, std::span<std::uint8_t> out)
{
    if (rules.order == LzwBitOrder::MostSignificantFirst)
        return decodeStream<LzwBitOrder::MostSignificantFirst>(rules, input, out);
    return decodeStream<LzwBitOrder::LeastSignificantFirst>(rules, input, out);
}

std::size_t decodeLzwStream(LzwCodeRules rules, std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    WholeInput input(data);
    return decodeLzwStream(rules, input, out);
}

LzwEncoder::LzwEncoder(LzwCodeRules rules)
    : m_rules(rules)
    , m_clearCode(1U << rules.rootBits)
    , m_endCode(m_clearCode + 1)
{
    resetTable();
}

void LzwEncoder::resetTable()
{
    m_nextFree = m_clearCode + 2;
    m_width = m_rules.rootBits + 1;
    m_keys.fill(0);
}

std::size_t LzwEncoder::slotFor(std::uint32_t key) const
{
    std::size_t slot = (key * 2654435761U) >> (32 - 13);
    while (m_keys[slot] != 0 && m_keys[slot] != key)
        slot = (slot + 1) & (kHashSize - 1);
    return slot;
}

void LzwEncoder::putCode(unsigned code, std::vector<std::uint8_t>& out)
{
    if (m_rules.order == LzwBitOrder::MostSignificantFirst) {
        m_bits = (m_bits << m_width) | code;
        m_bitCount += m_width;
        while (m_bitCount >= 8) {
            m_bitCount -= 8;
            out.push_back(static_cast<std::uint8_t>(m_bits >> m_bitCount));
        }
    } else {
        m_bits |= code << m_bitCount;
        m_bitCount += m_width;
        while (m_bitCount >= 8) {
            out.push_back(static_cast<std::uint8_t>(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }
}

void LzwEncoder::encode(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out)
{
    if (!m_started) {
        putCode(m_clearCode, out);
        m_started = true;
    }
    const unsigned rootMask = m_clearCode - 1;
    for (std::uint8_t value : bytes) {
        const unsigned byte = value & rootMask;
        if (m_current < 0) {
            m_current = static_cast<int>(byte);
            continue;
        }
        // Keys are offset by one so that zero marks an empty slot.
        const std::uint32_t key = ((static_cast<std::uint32_t>(m_current) << 8) | byte) + 1;
        const std::size_t slot = slotFor(key);
        if (m_keys[slot] == key) {
            m_current = m_codes[slot];
            continue;
        }
        putCode(static_cast<unsigned>(m_current), out);
        const unsigned added = m_nextFree++;
        m_keys[slot] = key;
        m_codes[slot] = static_cast<std::uint16_t>(added);
        if (shouldWiden(added, m_width, m_rules.earlyChange))
            ++m_width;
        if (added == kLzwTableSize - 3) {
            putCode(m_clearCode, out);
            resetTable();
        }
        m_current = static_cast<int>(byte);
    }
}

void LzwEncoder::finish(std::vector<std::uint8_t>& out)
{
    if (!m_started) {
        putCode(m_clearCode, out);
        m_started = true;
    }
    if (m_current >= 0) {
        putCode(static_cast<unsigned>(m_current), out);
        // A decoder adds one more entry on reading that last code and may widen before reading
        // the end code, so the encoder counts that entry too.
        if (shouldWiden(m_nextFree, m_width, m_rules.earlyChange))
            ++m_width;
        m_current = -1;
    }
    for (int i = 0; i < m_rules.trailingEndCodes; ++i)
        putCode(m_endCode, out);
    if (m_bitCount > 0) {
        if (m_rules.order == LzwBitOrder::MostSignificantFirst)
            out.push_back(static_cast<std::uint8_t>(m_bits << (8 - m_bitCount)));
        else
            out.push_back(static_cast<std::uint8_t>(m_bits));
        m_bits = 0;
        m_bitCount = 0;
    }
}

} // namespace gp
