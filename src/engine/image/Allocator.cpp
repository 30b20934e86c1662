#include "image/Allocator.h"

#include "shell/Host.h"
#include "shell/StringTable.h"

#include <memory>
#include <new>

namespace gp {

void Allocator::reportOutOfMemory(std::string_view caption) const
{
    m_host->message(caption, text(StringId::NotEnoughMemory), Icon::Warning);
}

std::optional<Image> Allocator::image(int width, int height, int bitsPerPixel, int colors,
                                      std::string_view caption) const
{
    auto image = Image::create(width, height, bitsPerPixel, colors, m_ceiling);
    if (!image) {
        reportOutOfMemory(caption);
        return std::nullopt;
    }
    return std::move(image).value();
}

std::optional<Image> Allocator::mask(int width, int height) const
{
    auto mask = Image::createMask(width, height, m_ceiling);
    if (!mask) {
        reportOutOfMemory();
        return std::nullopt;
    }
    return std::move(mask).value();
}

bool Allocator::reserve(std::size_t bytes, std::string_view caption) const
{
    if (bytes > m_ceiling) {
        reportOutOfMemory(caption);
        return false;
    }
    std::unique_ptr<std::uint8_t[]> probe(new (std::nothrow) std::uint8_t[bytes + kBlockSpareBytes]);
    if (!probe) {
        reportOutOfMemory(caption);
        return false;
    }
    return true;
}

} // namespace gp
