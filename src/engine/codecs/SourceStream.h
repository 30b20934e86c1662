#pragma once
// Reading image files without holding them whole. SourceStream reads a range of a byte source
// front to back through a bounded window, for coded data whose rows have no fixed size; the
// opening helpers put the size limit of the allocator's ceiling on a file before any reader runs.

#include "base/ByteSource.h"
#include "base/Result.h"
#include "codecs/ImageFileResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gp {

class Allocator;

// Reads bytes begin..end of a source in order. fill() tops up the unread bytes it holds;
// consume() drops bytes from their front. The window holds at most max(capacity, the largest
// amount asked of fill()) bytes.
class SourceStream {
public:
    SourceStream(const ByteSource& source, std::uint64_t begin, std::uint64_t end, std::size_t capacity);

    // The unread bytes held, topped up first to at least `wanted` bytes when fewer are held and
    // the range has more. Fewer come back only at the end of the range or after a failed read
    // (failed() then says so).
    std::span<const std::uint8_t> fill(std::size_t wanted);
    void consume(std::size_t count);
    // Drops the bytes held and reads the next window of the range: empty at its end.
    std::span<const std::uint8_t> next();
    bool failed() const { return m_failed; }

private:
    const ByteSource& m_source;
    std::uint64_t m_next; // offset of the first byte not yet in the window
    std::uint64_t m_end;
    std::vector<std::uint8_t> m_window;
    std::size_t m_begin = 0; // first unread byte of the window
    std::size_t m_held = 0; // bytes of the window that hold data
    bool m_failed = false;
};

// Bytes allowed in an image file read under an allocator ceiling: no coding here more than
// doubles its data, so a longer file cannot hold a picture the ceiling allows.
std::uint64_t imageFileLimit(std::size_t ceiling);

// Opens an image file: an Io error when it cannot be opened or is not a regular file, TooLarge
// when it is longer than imageFileLimit(ceiling).
Result<FileByteSource> openImageFile(const std::string& path, std::size_t ceiling);

using SourceDecoder = ReadResult (*)(const ByteSource& file, const Allocator& allocator);

// Opens path and hands it to decode. A file that cannot be opened answers cannot read; one
// longer than imageFileLimit() gets the memory warning and no image.
ReadResult readImageFileFrom(const std::string& path, const Allocator& allocator, SourceDecoder decode);

} // namespace gp
