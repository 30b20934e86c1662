#include "codecs/SourceStream.h"

#include "image/Allocator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gp {

SourceStream::SourceStream(const ByteSource& source, std::uint64_t begin, std::uint64_t end, std::size_t capacity)
    : m_source(source)
    , m_next(std::min(begin, source.size()))
    , m_end(std::clamp(end, m_next, source.size()))
    , m_window(std::max<std::size_t>(capacity, 1))
{
}

std::span<const std::uint8_t> SourceStream::fill(std::size_t wanted)
{
    if (m_held - m_begin < wanted && m_next < m_end && !m_failed) {
        // Keep the unread bytes, moved to the front, and read behind them.
        const std::size_t unread = m_held - m_begin;
        if (m_window.size() < wanted)
            m_window.resize(wanted);
        std::memmove(m_window.data(), m_window.data() + m_begin, unread);
        m_begin = 0;
        m_held = unread;
        const std::size_t count = std::size_t(std::min<std::uint64_t>(m_window.size() - unread, m_end - m_next));
        if (m_source.readAt(m_next, { m_window.data() + unread, count })) {
            m_held += count;
            m_next += count;
        } else {
            m_failed = true; // a read error, or the file shrank since it was opened
        }
    }
    return { m_window.data() + m_begin, m_held - m_begin };
}

void SourceStream::consume(std::size_t count)
{
    m_begin += std::min(count, m_held - m_begin);
}

std::span<const std::uint8_t> SourceStream::next()
{
    m_begin = m_held;
    return fill(m_window.size());
}

std::uint64_t imageFileLimit(std::size_t ceiling)
{
    return ceiling > SIZE_MAX / 4 ? SIZE_MAX / 2 : std::uint64_t(ceiling) * 2 + 65536;
}

Result<FileByteSource> openImageFile(const std::string& path, std::size_t ceiling)
{
    auto file = FileByteSource::open(path);
    if (file && file->size() > imageFileLimit(ceiling))
        return makeError(ErrorKind::TooLarge, path + " is larger than allowed");
    return file;
}

ReadResult readImageFileFrom(const std::string& path, const Allocator& allocator, SourceDecoder decode)
{
    auto file = openImageFile(path, allocator.ceiling());
    if (!file) {
        if (file.error().kind == ErrorKind::TooLarge) {
            allocator.reportOutOfMemory();
            return ReadResult::noImage(file.error().message);
        }
        return ReadResult::cannotRead(file.error().message);
    }
    return decode(*file, allocator);
}

} // namespace gp
