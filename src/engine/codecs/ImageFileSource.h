#pragma once
// The bytes of an image file, read where a reader asks for them, so a reader can put rows
// straight into its picture instead of holding the whole file beside it. A file source reads
// with pread; a memory source serves bytes already in memory (the fuzz targets and tests use it
// to drive the same reader code). SourceStream reads a range of a source front to back through a
// bounded window, for coded data whose rows have no fixed size.

#include "base/Result.h"
#include "codecs/ImageFileResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gp {

class ImageFileSource {
public:
    virtual ~ImageFileSource() = default;

    std::uint64_t size() const { return m_size; }

    // Copies dest.size() bytes from offset into dest; false when the source ends first or a
    // read fails (dest is then partly written).
    virtual bool read(std::uint64_t offset, std::span<std::uint8_t> dest) = 0;

    // A byte-for-byte copy of count bytes from offset, or nothing as read() would say false.
    Result<std::vector<std::uint8_t>> readVector(std::uint64_t offset, std::size_t count);

protected:
    explicit ImageFileSource(std::uint64_t size) : m_size(size) {}

private:
    std::uint64_t m_size;
};

class MemorySource final : public ImageFileSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : ImageFileSource(bytes.size()), m_bytes(bytes) {}
    bool read(std::uint64_t offset, std::span<std::uint8_t> dest) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

class FileSource final : public ImageFileSource {
public:
    // Opens a regular file for reading. Fails with TooLarge when the file is longer than
    // maxBytes, with Io when it cannot be opened or is not a regular file.
    static Result<FileSource> open(const std::string& path, std::uint64_t maxBytes);

    FileSource(FileSource&& other) noexcept;
    FileSource& operator=(FileSource&&) = delete;
    FileSource(const FileSource&) = delete;
    ~FileSource() override;

    bool read(std::uint64_t offset, std::span<std::uint8_t> dest) override;

private:
    FileSource(int fd, std::uint64_t size) : ImageFileSource(size), m_fd(fd) {}

    int m_fd = -1;
};

// Reads bytes begin..end of a source in order. fill() tops up the unread bytes it holds;
// consume() drops bytes from their front. The window holds at most max(capacity, the largest
// amount asked of fill()) bytes.
class SourceStream {
public:
    SourceStream(ImageFileSource& source, std::uint64_t begin, std::uint64_t end, std::size_t capacity);

    // The unread bytes held, topped up first to at least `wanted` bytes when fewer are held and
    // the range has more. Fewer come back only at the end of the range or after a failed read
    // (failed() then says so).
    std::span<const std::uint8_t> fill(std::size_t wanted);
    void consume(std::size_t count);
    // Drops the bytes held and reads the next window of the range: empty at its end.
    std::span<const std::uint8_t> next();
    bool failed() const { return m_failed; }

private:
    ImageFileSource& m_source;
    std::uint64_t m_next; // file offset of the first byte not yet in the window
    std::uint64_t m_end;
    std::vector<std::uint8_t> m_window;
    std::size_t m_begin = 0; // first unread byte of the window
    std::size_t m_held = 0; // bytes of the window that hold data
    bool m_failed = false;
};

// Bytes allowed in an image file read under an allocator ceiling: no coding here more than
// doubles its data, so a longer file cannot hold a picture the ceiling allows.
std::uint64_t imageFileLimit(std::size_t ceiling);

class Allocator;
using SourceDecoder = ReadResult (*)(ImageFileSource& file, const Allocator& allocator);

// Opens path and hands it to decode. A file that cannot be opened answers cannot read; one
// longer than imageFileLimit() gets the memory warning and no image.
ReadResult readImageFileFrom(const std::string& path, const Allocator& allocator, SourceDecoder decode);

} // namespace gp
