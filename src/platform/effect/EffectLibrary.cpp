// The exported functions of libglimmer-effect.so; see EffectProtocol.h.

#include "EffectProtocol.h"

#include "Effects.h"
#include "RgbPicture.h"

#include <cstdlib>
#include <cstring>

#define EFFECT_EXPORT __attribute__((visibility("default")))

namespace gp::effect {

namespace {

std::uint32_t load32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t load16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

constexpr std::size_t kLargestBlock = std::size_t(1) << 30;
constexpr std::int32_t kLargestSide = 1 << 17;

} // namespace

std::optional<PackedLayout> packedLayout(const std::uint8_t* header)
{
    if (load32(header) != 40 || load16(header + 12) != 1 || load16(header + 14) != 24 || load32(header + 16) != 0)
        return std::nullopt;
    const auto width = std::int32_t(load32(header + 4));
    const auto height = std::int32_t(load32(header + 8));
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return std::nullopt;
    // A 24-bit picture may still carry a colour table; it is kept as it is.
    const std::uint32_t colors = load32(header + 32);
    if (colors > 256)
        return std::nullopt;
    PackedLayout layout;
    layout.width = width;
    layout.height = height;
    layout.stride = (std::size_t(width) * 24 + 31) / 32 * 4;
    layout.pixelOffset = 40 + 4 * std::size_t(colors);
    layout.totalSize = layout.pixelOffset + layout.stride * std::size_t(height);
    if (layout.totalSize > kLargestBlock)
        return std::nullopt;
    return layout;
}

} // namespace gp::effect

using namespace gp::effect;

extern "C" EFFECT_EXPORT void* DoMyEffect(int effect, const void* image, int intensity)
{
    const EffectInfo* info = effectInfo(effect);
    if (!info || !image)
        return nullptr;
    const auto* source = static_cast<const std::uint8_t*>(image);
    const auto layout = packedLayout(source);
    if (!layout)
        return nullptr;
    auto* block = static_cast<std::uint8_t*>(std::malloc(layout->totalSize));
    if (!block)
        return nullptr;
    // Header, colour table and the rows' padding as they were; the effect fills the pixels.
    std::memcpy(block, source, layout->totalSize);
    const RgbPicture in { layout->width, layout->height, layout->stride,
        const_cast<std::uint8_t*>(source) + layout->pixelOffset };
    const RgbPicture out { layout->width, layout->height, layout->stride, block + layout->pixelOffset };
    info->apply(in, out, intensity < 0 ? 0 : intensity > 100 ? 100 : intensity);
    return block;
}

extern "C" EFFECT_EXPORT void FreeMyEffect(void* block) { std::free(block); }

extern "C" EFFECT_EXPORT int MyEffectCount(void) { return effectCount(); }

extern "C" EFFECT_EXPORT const char* MyEffectName(int effect)
{
    const EffectInfo* info = effectInfo(effect);
    return info ? info->name : nullptr;
}
