#include "base/ByteReader.h"

namespace gp {

Error ByteReader::truncated(std::size_t wanted) const
{
    return makeError(ErrorKind::Truncated, "wanted " + std::to_string(wanted) + " bytes at offset " +
                                               std::to_string(m_pos) + " of " +
                                               std::to_string(m_data.size()));
}

Result<void> ByteReader::seek(std::size_t position)
{
    if (position > m_data.size())
        return makeError(ErrorKind::Truncated, "seek to " + std::to_string(position) + " past the end");
    m_pos = position;
    return {};
}

Result<void> ByteReader::skip(std::size_t count)
{
    if (count > remaining())
        return truncated(count);
    m_pos += count;
    return {};
}

Result<std::span<const std::uint8_t>> ByteReader::peekBytes(std::size_t count) const
{
    if (count > remaining())
        return truncated(count);
    return m_data.subspan(m_pos, count);
}

Result<std::span<const std::uint8_t>> ByteReader::readBytes(std::size_t count)
{
    auto bytes = peekBytes(count);
    if (bytes)
        m_pos += count;
    return bytes;
}

Result<std::uint8_t> ByteReader::readU8()
{
    auto b = readBytes(1);
    if (!b)
        return b.error();
    return (*b)[0];
}

Result<std::uint16_t> ByteReader::readU16Le()
{
    auto b = readBytes(2);
    if (!b)
        return b.error();
    return loadU16Le(b->data());
}

Result<std::uint16_t> ByteReader::readU16Be()
{
    auto b = readBytes(2);
    if (!b)
        return b.error();
    return loadU16Be(b->data());
}

Result<std::uint32_t> ByteReader::readU32Le()
{
    auto b = readBytes(4);
    if (!b)
        return b.error();
    return loadU32Le(b->data());
}

Result<std::uint32_t> ByteReader::readU32Be()
{
    auto b = readBytes(4);
    if (!b)
        return b.error();
    return loadU32Be(b->data());
}

Result<std::int32_t> ByteReader::readI32Le()
{
    auto v = readU32Le();
    if (!v)
        return v.error();
    return static_cast<std::int32_t>(*v);
}

Result<std::int16_t> ByteReader::readI16Le()
{
    auto v = readU16Le();
    if (!v)
        return v.error();
    return static_cast<std::int16_t>(*v);
}

} // namespace gp
