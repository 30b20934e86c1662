#include "codecs/ImageFileSource.h"

#include "image/Allocator.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace gp {

Result<std::vector<std::uint8_t>> ImageFileSource::readVector(std::uint64_t offset, std::size_t count)
{
    if (offset > m_size || m_size - offset < count)
        return makeError(ErrorKind::Truncated, "file ends early");
    std::vector<std::uint8_t> bytes(count);
    if (!read(offset, bytes))
        return makeError(ErrorKind::Truncated, "file ends early");
    return bytes;
}

bool MemorySource::read(std::uint64_t offset, std::span<std::uint8_t> dest)
{
    if (offset > m_bytes.size() || m_bytes.size() - offset < dest.size())
        return false;
    if (!dest.empty())
        std::memcpy(dest.data(), m_bytes.data() + offset, dest.size());
    return true;
}

Result<FileSource> FileSource::open(const std::string& path, std::uint64_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return makeError(ErrorKind::Io, "cannot open " + path);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return makeError(ErrorKind::Io, "cannot read " + path);
    }
    if (std::uint64_t(status.st_size) > maxBytes) {
        ::close(fd);
        return makeError(ErrorKind::TooLarge, path + " is larger than allowed");
    }
    // The readers go through the file mostly front to back.
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return FileSource(fd, std::uint64_t(status.st_size));
}

FileSource::FileSource(FileSource&& other) noexcept
    : ImageFileSource(other.size())
    , m_fd(std::exchange(other.m_fd, -1))
{
}

FileSource::~FileSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileSource::read(std::uint64_t offset, std::span<std::uint8_t> dest)
{
    if (offset > size() || size() - offset < dest.size())
        return false;
    std::size_t done = 0;
    while (done < dest.size()) {
        // One call may return fewer bytes than asked (signals, very large requests).
        const std::size_t piece = std::min<std::size_t>(dest.size() - done, std::size_t(1) << 30);
        const ssize_t n = ::pread(m_fd, dest.data() + done, piece, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false; // a read error, or the file shrank since it was opened
        done += std::size_t(n);
    }
    return true;
}

SourceStream::SourceStream(ImageFileSource& source, std::uint64_t begin, std::uint64_t end, std::size_t capacity)
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
        if (m_source.read(m_next, { m_window.data() + unread, count })) {
            m_held += count;
            m_next += count;
        } else {
            m_failed = true;
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

ReadResult readImageFileFrom(const std::string& path, const Allocator& allocator, SourceDecoder decode)
{
    auto file = FileSource::open(path, imageFileLimit(allocator.ceiling()));
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
