#pragma once
// The packed device-independent bitmap every part of the program exchanges: a 40-byte header,
// a colour table of 4-byte entries (blue, green, red, 0) and bottom-up rows padded to 4 bytes,
// in one zero-initialised block that carries 10 spare bytes past its end. 1, 4, 8 and 24 bits
// per pixel. An Image owns its bytes; it moves freely and copies only through clone().

#include "base/Result.h"
#include "image/ZeroedBlock.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace gp {

struct Rgbq {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const Rgbq&, const Rgbq&) = default;
};

inline constexpr std::size_t kInfoHeaderSize = 40;
inline constexpr std::size_t kCoreHeaderSize = 12;
inline constexpr std::size_t kBlockSpareBytes = 10;
inline constexpr std::size_t kDefaultBlockCeiling = std::size_t(1) << 30;

class Image {
public:
    Image() = default;
    Image(Image&&) noexcept = default;
    Image& operator=(Image&&) noexcept = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // A zeroed image with a 40-byte header. colors < 0 takes the default count for the depth
    // (2, 16, 256, 0). Fails with Malformed for a bad size or depth, TooLarge when the block
    // would exceed ceiling bytes, OutOfMemory when it cannot be had.
    static Result<Image> create(int width, int height, int bitsPerPixel, int colors = -1,
                                std::size_t ceiling = kDefaultBlockCeiling);

    // A 1-bit selection mask: two colour entries, black then white; a set bit is inside.
    static Result<Image> createMask(int width, int height, std::size_t ceiling = kDefaultBlockCeiling);

    // Adopts a packed bitmap as found on the clipboard or handed over by a library: a 40-byte
    // or 12-byte header, colour table and uncompressed rows. Always yields a 40-byte header.
    static Result<Image> fromPacked(std::span<const std::uint8_t> packed,
                                    std::size_t ceiling = kDefaultBlockCeiling);

    // ((width × bits + 31) / 32) × 4, or an error when that overflows.
    static Result<std::size_t> rowSizeFor(int width, int bitsPerPixel);

    bool isNull() const { return m_bytes.empty(); }
    Image clone() const;

    int width() const;
    int height() const;
    int bitsPerPixel() const;
    int colorCount() const; // entries in the colour table
    std::uint32_t imageSize() const;
    std::int32_t xPelsPerMeter() const;
    std::int32_t yPelsPerMeter() const;
    void setResolution(std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter);

    std::size_t rowSize() const;
    std::size_t bitsOffset() const { return kInfoHeaderSize + 4 * std::size_t(colorCount()); }

    Rgbq color(int index) const;
    void setColor(int index, Rgbq color);
    std::span<Rgbq> colorTable();
    std::span<const Rgbq> colorTable() const;

    // Row y counted from the top of the picture.
    std::uint8_t* row(int y) { return storedRow(height() - 1 - y); }
    const std::uint8_t* row(int y) const { return storedRow(height() - 1 - y); }
    // Row i in storage order: 0 is the bottom row.
    std::uint8_t* storedRow(int i) { return m_bytes.data() + bitsOffset() + std::size_t(i) * rowSize(); }
    const std::uint8_t* storedRow(int i) const
    {
        return m_bytes.data() + bitsOffset() + std::size_t(i) * rowSize();
    }

    std::span<std::uint8_t> pixels();
    std::span<const std::uint8_t> pixels() const;
    // Header, colour table and rows as one packed bitmap (without the spare bytes).
    std::span<const std::uint8_t> packed() const;
    // The whole block including the spare bytes, as the allocation routine sized it.
    std::size_t blockSize() const { return m_bytes.size(); }

private:
    explicit Image(ZeroedBlock bytes) : m_bytes(std::move(bytes)) {}

    ZeroedBlock m_bytes;
};

} // namespace gp
