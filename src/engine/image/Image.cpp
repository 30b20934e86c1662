#include "image/Image.h"

#include "base/ByteReader.h"

#include <cstring>
#include <limits>
#include <new>

namespace gp {

namespace {

constexpr std::size_t kWidth = 4, kHeight = 8, kPlanes = 12, kBits = 14, kCompression = 16,
                      kSizeImage = 20, kXPels = 24, kYPels = 28, kClrUsed = 32;

bool validDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24; }

int defaultColors(int bits) { return bits <= 8 ? 1 << bits : 0; }

} // namespace

Result<std::size_t> Image::rowSizeFor(int width, int bitsPerPixel)
{
    if (width <= 0 || !validDepth(bitsPerPixel))
        return makeError(ErrorKind::Malformed, "bad width or depth");
    const std::uint64_t bitsPerRow = std::uint64_t(width) * std::uint64_t(bitsPerPixel) + 31;
    const std::uint64_t size = bitsPerRow / 32 * 4;
    if (size > std::numeric_limits<std::uint32_t>::max())
        return makeError(ErrorKind::TooLarge, "row too long");
    return std::size_t(size);
}

Result<Image> Image::create(int width, int height, int bitsPerPixel, int colors, std::size_t ceiling)
{
    if (width <= 0 || height <= 0 || !validDepth(bitsPerPixel))
        return makeError(ErrorKind::Malformed, "bad image size or depth");
    if (colors < 0)
        colors = defaultColors(bitsPerPixel);
    if (colors > 256 || (bitsPerPixel == 24 && colors != 0))
        return makeError(ErrorKind::Malformed, "bad colour count");
    auto rowSize = rowSizeFor(width, bitsPerPixel);
    if (!rowSize)
        return rowSize.error();
    // Divide before multiplying so the size test cannot overflow.
    const std::size_t head = kInfoHeaderSize + 4 * std::size_t(colors);
    if (ceiling < head + kBlockSpareBytes || (ceiling - head - kBlockSpareBytes) / *rowSize < std::size_t(height))
        return makeError(ErrorKind::TooLarge, "image block larger than the allowed ceiling");
    const std::size_t imageSize = *rowSize * std::size_t(height);
    if (imageSize > std::numeric_limits<std::uint32_t>::max())
        return makeError(ErrorKind::TooLarge, "image larger than 4 GiB");

    auto bytes = ZeroedBlock::allocate(head + imageSize + kBlockSpareBytes);
    if (!bytes)
        return makeError(ErrorKind::OutOfMemory, "out of memory");
    std::uint8_t* p = bytes->data();
    storeU32Le(p, kInfoHeaderSize);
    storeU32Le(p + kWidth, std::uint32_t(width));
    storeU32Le(p + kHeight, std::uint32_t(height));
    storeU16Le(p + kPlanes, 1);
    storeU16Le(p + kBits, std::uint16_t(bitsPerPixel));
    storeU32Le(p + kSizeImage, std::uint32_t(imageSize));
    storeU32Le(p + kClrUsed, std::uint32_t(colors));
    return Image(std::move(*bytes));
}

Result<Image> Image::createMask(int width, int height, std::size_t ceiling)
{
    auto mask = create(width, height, 1, 2, ceiling);
    if (mask)
        mask->setColor(1, Rgbq{255, 255, 255, 0});
    return mask;
}

Result<Image> Image::fromPacked(std::span<const std::uint8_t> packed, std::size_t ceiling)
{
    ByteReader in(packed);
    auto headerSize = in.readU32Le();
    if (!headerSize)
        return headerSize.error();
    int width = 0, height = 0, bits = 0, colors = 0;
    std::int32_t xPels = 0, yPels = 0;
    std::size_t entrySize = 4;
    if (*headerSize == kCoreHeaderSize) {
        auto head = in.readBytes(8);
        if (!head)
            return head.error();
        width = loadU16Le(head->data());
        height = loadU16Le(head->data() + 2);
        bits = loadU16Le(head->data() + 6);
        colors = defaultColors(bits);
        entrySize = 3;
    } else if (*headerSize >= kInfoHeaderSize) {
        auto head = in.readBytes(kInfoHeaderSize - 4);
        if (!head)
            return head.error();
        const std::uint8_t* h = head->data() - 4;
        width = std::int32_t(loadU32Le(h + kWidth));
        height = std::int32_t(loadU32Le(h + kHeight));
        bits = loadU16Le(h + kBits);
        if (loadU32Le(h + kCompression) != 0)
            return makeError(ErrorKind::Unsupported, "compressed packed bitmap");
        xPels = std::int32_t(loadU32Le(h + kXPels));
        yPels = std::int32_t(loadU32Le(h + kYPels));
        const std::uint32_t used = loadU32Le(h + kClrUsed);
        colors = (used != 0 && bits <= 8) ? int(std::min<std::uint32_t>(used, 1u << bits)) : defaultColors(bits);
        if (auto skip = in.seek(*headerSize); !skip)
            return skip.error();
    } else {
        return makeError(ErrorKind::Malformed, "unknown bitmap header size");
    }
    if (!validDepth(bits) || width <= 0 || height <= 0)
        return makeError(ErrorKind::Unsupported, "packed bitmap of an unsupported kind");

    auto image = create(width, height, bits, colors, ceiling);
    if (!image)
        return image.error();
    for (int i = 0; i < colors; ++i) {
        auto entry = in.readBytes(entrySize);
        if (!entry)
            return entry.error();
        image->setColor(i, Rgbq{(*entry)[0], (*entry)[1], (*entry)[2], 0});
    }
    auto rows = in.readBytes(image->imageSize());
    if (!rows)
        return rows.error();
    std::memcpy(image->pixels().data(), rows->data(), rows->size());
    image->setResolution(xPels, yPels);
    return image;
}

Image Image::clone() const
{
    return Image(m_bytes.clone());
}

int Image::width() const { return std::int32_t(loadU32Le(m_bytes.data() + kWidth)); }
int Image::height() const { return std::int32_t(loadU32Le(m_bytes.data() + kHeight)); }
int Image::bitsPerPixel() const { return loadU16Le(m_bytes.data() + kBits); }
int Image::colorCount() const { return int(loadU32Le(m_bytes.data() + kClrUsed)); }
std::uint32_t Image::imageSize() const { return loadU32Le(m_bytes.data() + kSizeImage); }
std::int32_t Image::xPelsPerMeter() const { return std::int32_t(loadU32Le(m_bytes.data() + kXPels)); }
std::int32_t Image::yPelsPerMeter() const { return std::int32_t(loadU32Le(m_bytes.data() + kYPels)); }

void Image::setResolution(std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter)
{
    storeU32Le(m_bytes.data() + kXPels, std::uint32_t(xPelsPerMeter));
    storeU32Le(m_bytes.data() + kYPels, std::uint32_t(yPelsPerMeter));
}

std::size_t Image::rowSize() const { return *rowSizeFor(width(), bitsPerPixel()); }

Rgbq Image::color(int index) const { return colorTable()[std::size_t(index)]; }
void Image::setColor(int index, Rgbq color) { colorTable()[std::size_t(index)] = color; }

std::span<Rgbq> Image::colorTable()
{
    static_assert(sizeof(Rgbq) == 4);
    return {reinterpret_cast<Rgbq*>(m_bytes.data() + kInfoHeaderSize), std::size_t(colorCount())};
}

std::span<const Rgbq> Image::colorTable() const
{
    return {reinterpret_cast<const Rgbq*>(m_bytes.data() + kInfoHeaderSize), std::size_t(colorCount())};
}

std::span<std::uint8_t> Image::pixels() { return {m_bytes.data() + bitsOffset(), imageSize()}; }
std::span<const std::uint8_t> Image::pixels() const { return {m_bytes.data() + bitsOffset(), imageSize()}; }
std::span<const std::uint8_t> Image::packed() const { return {m_bytes.data(), bitsOffset() + imageSize()}; }

} // namespace gp
