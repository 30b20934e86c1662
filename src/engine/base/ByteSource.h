#pragma once
// Random access to the bytes of a file or of a block already in memory. Readers that jump around
// a file (directories, strip tables, strips) take pieces as they need them instead of holding
// the whole file, and read the same way from a fuzzer's buffer and from disk.

#include "base/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gp {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t size() const = 0;

    // Fills `out` from `offset`; false when the source does not hold all of those bytes.
    virtual bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;

    // Fills the `pieces` one after another from the consecutive bytes at `offset`, so a run of
    // file rows lands in rows of a picture that lie apart; false when the source does not hold
    // all of them. A file answers with one vector read per batch of pieces.
    virtual bool readScattered(std::uint64_t offset, std::span<const std::span<std::uint8_t>> pieces) const;

    // The `count` bytes at `offset`, viewed in place where the source allows it, else read into
    // `buffer` (which the view then points into). Truncated when they are not all there.
    virtual Result<std::span<const std::uint8_t>> view(
        std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& buffer) const;

protected:
    bool holds(std::uint64_t offset, std::uint64_t count) const { return offset <= size() && count <= size() - offset; }
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    std::uint64_t size() const override { return m_bytes.size(); }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;
    Result<std::span<const std::uint8_t>> view(
        std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& buffer) const override;

private:
    std::span<const std::uint8_t> m_bytes;
};

// An open file read with positioned reads; the size is taken once when the file is opened.
class FileByteSource final : public ByteSource {
public:
    static Result<FileByteSource> open(const std::string& path);

    FileByteSource(FileByteSource&& other) noexcept;
    FileByteSource& operator=(FileByteSource&&) = delete;
    ~FileByteSource() override;

    std::uint64_t size() const override { return m_size; }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;
    bool readScattered(std::uint64_t offset, std::span<const std::span<std::uint8_t>> pieces) const override;

private:
    FileByteSource(int fd, std::uint64_t size)
        : m_fd(fd)
        , m_size(size)
    {
    }

    int m_fd = -1;
    std::uint64_t m_size = 0;
};

} // namespace gp
