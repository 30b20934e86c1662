#pragma once
// A bounds-checked cursor over bytes read from a file. Every read either returns the value or a
// Truncated error, so a short or hostile file can never make a codec read past its data.

#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace gp {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t position() const { return m_pos; }
    std::size_t size() const { return m_data.size(); }
    std::size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

    Result<void> seek(std::size_t position);
    Result<void> skip(std::size_t count);

    Result<std::uint8_t> readU8();
    Result<std::uint16_t> readU16Le();
    Result<std::uint16_t> readU16Be();
    Result<std::uint32_t> readU32Le();
    Result<std::uint32_t> readU32Be();
    Result<std::int32_t> readI32Le();
    Result<std::int16_t> readI16Le();

    // A view of the next count bytes; the cursor moves past them.
    Result<std::span<const std::uint8_t>> readBytes(std::size_t count);
    // The next count bytes without moving the cursor.
    Result<std::span<const std::uint8_t>> peekBytes(std::size_t count) const;

private:
    Error truncated(std::size_t wanted) const;

    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

// Little- and big-endian loads from a span already known to be long enough.
inline std::uint16_t loadU16Le(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t loadU32Le(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
inline std::uint16_t loadU16Be(const std::uint8_t* p) { return std::uint16_t((p[0] << 8) | p[1]); }
inline std::uint32_t loadU32Be(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}
inline void storeU16Le(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
inline void storeU32Le(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}

} // namespace gp
