#include "base/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace gp {

Result<std::span<const std::uint8_t>> ByteSource::view(
    std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& buffer) const
{
    if (!holds(offset, count))
        return makeError(ErrorKind::Truncated, "data past the end of the file");
    try {
        buffer.resize(count);
    } catch (const std::bad_alloc&) {
        return makeError(ErrorKind::OutOfMemory, "out of memory");
    }
    if (!readAt(offset, buffer))
        return makeError(ErrorKind::Io, "read failed");
    return std::span<const std::uint8_t>(buffer);
}

bool ByteSource::readScattered(std::uint64_t offset, std::span<const std::span<std::uint8_t>> pieces) const
{
    for (const std::span<std::uint8_t> piece : pieces) {
        if (!readAt(offset, piece))
            return false;
        offset += piece.size();
    }
    return true;
}

bool MemoryByteSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!holds(offset, out.size()))
        return false;
    if (!out.empty())
        std::memcpy(out.data(), m_bytes.data() + offset, out.size());
    return true;
}

Result<std::span<const std::uint8_t>> MemoryByteSource::view(
    std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>&) const
{
    if (!holds(offset, count))
        return makeError(ErrorKind::Truncated, "data past the end of the block");
    return m_bytes.subspan(std::size_t(offset), count);
}

Result<FileByteSource> FileByteSource::open(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return makeError(ErrorKind::Io, "cannot open " + path + ": " + std::strerror(errno));
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return makeError(ErrorKind::Io, "not a regular file: " + path);
    }
    return FileByteSource(fd, std::uint64_t(info.st_size));
}

FileByteSource::FileByteSource(FileByteSource&& other) noexcept
    : m_fd(other.m_fd)
    , m_size(other.m_size)
{
    other.m_fd = -1;
}

FileByteSource::~FileByteSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileByteSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!holds(offset, out.size()))
        return false;
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(m_fd, out.data() + done, out.size() - done, off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += std::size_t(got);
    }
    return true;
}

bool FileByteSource::readScattered(std::uint64_t offset, std::span<const std::span<std::uint8_t>> pieces) const
{
    std::uint64_t total = 0;
    for (const std::span<std::uint8_t> piece : pieces)
        total += piece.size();
    if (!holds(offset, total))
        return false;
    // The kernel takes at most IOV_MAX pieces a call; a call may also stop early, in the middle
    // of a piece, and is then continued from there.
    std::vector<iovec> batch;
    std::size_t next = 0, doneInNext = 0;
    while (next < pieces.size()) {
        batch.clear();
        for (std::size_t i = next; i < pieces.size() && batch.size() < std::size_t(IOV_MAX); ++i) {
            const std::size_t skip = i == next ? doneInNext : 0;
            if (pieces[i].size() > skip)
                batch.push_back({ pieces[i].data() + skip, pieces[i].size() - skip });
        }
        if (batch.empty())
            return true;
        const ssize_t got = ::preadv(m_fd, batch.data(), int(batch.size()), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        offset += std::uint64_t(got);
        // Steps over the pieces the call filled.
        std::size_t left = std::size_t(got);
        while (left > 0) {
            const std::size_t room = pieces[next].size() - doneInNext;
            const std::size_t step = std::min(room, left);
            left -= step;
            doneInNext += step;
            if (doneInNext == pieces[next].size()) {
                ++next;
                doneInNext = 0;
            }
        }
        while (next < pieces.size() && pieces[next].size() == doneInNext) {
            ++next;
            doneInNext = 0;
        }
    }
    return true;
}

} // namespace gp
