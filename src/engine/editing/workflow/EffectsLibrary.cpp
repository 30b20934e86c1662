#include "editing/workflow/EffectsLibrary.h"

#include "base/DynamicLibrary.h"
#include "shell/Host.h"
#include "shell/Paths.h"
#include "shell/StringTable.h"

#include <cstring>
#include <memory>

namespace gp {

namespace {

using ApplyFunction = void* (*)(int, const void*, int);
using FreeFunction = void (*)(void*);
using CountFunction = int (*)();
using NameFunction = const char* (*)(int);

// More names than this would be a broken library, not a longer list.
constexpr int kMaximumEffects = 1000;

} // namespace

struct EffectsLibrary::Loaded {
    DynamicLibrary library;
    ApplyFunction apply = nullptr;
    FreeFunction release = nullptr;
    CountFunction count = nullptr;
    NameFunction name = nullptr;
};

EffectsLibrary::EffectsLibrary(std::unique_ptr<Loaded> loaded)
    : m_loaded(std::move(loaded))
{
}
EffectsLibrary::EffectsLibrary(EffectsLibrary&&) noexcept = default;
EffectsLibrary& EffectsLibrary::operator=(EffectsLibrary&&) noexcept = default;
EffectsLibrary::~EffectsLibrary() = default;

std::optional<EffectsLibrary> EffectsLibrary::open(const std::filesystem::path& path)
{
    auto library = DynamicLibrary::open(path);
    if (!library)
        return std::nullopt;
    const auto apply = library->function<ApplyFunction>("DoMyEffect");
    const auto release = library->function<FreeFunction>("FreeMyEffect");
    const auto count = library->function<CountFunction>("MyEffectCount");
    const auto name = library->function<NameFunction>("MyEffectName");
    if (!apply || !release || !count || !name)
        return std::nullopt;
    auto loaded = std::unique_ptr<Loaded>(new Loaded { std::move(*library), apply, release, count, name });
    return EffectsLibrary(std::move(loaded));
}

std::vector<EffectEntry> EffectsLibrary::effects() const
{
    std::vector<EffectEntry> list;
    const int count = std::min(m_loaded->count(), kMaximumEffects);
    for (int number = 1; number <= count; ++number) {
        const char* name = m_loaded->name(number);
        if (name)
            list.push_back({ number, std::string(name, strnlen(name, 256)) });
    }
    return list;
}

std::optional<Image> EffectsLibrary::apply(
    int effect, const Image& image, int intensity, const Allocator& allocator) const
{
    const auto input = image.packed();
    const std::unique_ptr<void, FreeFunction> block(
        m_loaded->apply(effect, input.data(), intensity), m_loaded->release);
    if (!block)
        return std::nullopt;
    // The answer must have the input's layout; only then is it known to be as long as the input.
    const auto* bytes = static_cast<const std::uint8_t*>(block.get());
    if (std::memcmp(bytes, input.data(), kInfoHeaderSize) != 0)
        return std::nullopt;
    auto result = allocator.image(image.width(), image.height(), image.bitsPerPixel(), image.colorCount());
    if (!result)
        return std::nullopt;
    std::memcpy(result->colorTable().data(), bytes + kInfoHeaderSize, 4 * std::size_t(image.colorCount()));
    std::memcpy(result->pixels().data(), bytes + image.bitsOffset(), result->pixels().size());
    result->setResolution(image.xPelsPerMeter(), image.yPelsPerMeter());
    return result;
}

std::optional<EffectsLibrary> openEffectsLibrary(const Paths& paths, Host& host)
{
    auto library = EffectsLibrary::open(paths.library(text(StringId::EffectLibraryName)));
    if (!library)
        host.message(text(StringId::CaptionWarning), text(StringId::EffectLibraryMissing), Icon::Warning);
    return library;
}

} // namespace gp
