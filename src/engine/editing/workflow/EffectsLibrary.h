#pragma once
// The Edit screen's effects come from a run-time library (libglimmer-effect.so) that exports
// DoMyEffect(effect, packed bitmap, intensity 0..100): a new bitmap of the same layout, or none;
// the input is never changed. The block it returns is released by the library's own
// FreeMyEffect, so allocation and release stay in one library. MyEffectCount and MyEffectName
// list the effects, numbered from 1.

#include "image/Allocator.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gp {

class Host;
struct Paths;

struct EffectEntry {
    int number = 0;
    std::string name;
};

class EffectsLibrary {
public:
    // The library at path with all four functions; nothing when it cannot be loaded.
    static std::optional<EffectsLibrary> open(const std::filesystem::path& path);

    EffectsLibrary(EffectsLibrary&&) noexcept;
    EffectsLibrary& operator=(EffectsLibrary&&) noexcept;
    ~EffectsLibrary();

    std::vector<EffectEntry> effects() const;

    // The effect applied to a copy of image; nothing when the library gives no picture, gives
    // one of another layout, or memory runs out (the allocator has said so).
    std::optional<Image> apply(int effect, const Image& image, int intensity, const Allocator& allocator) const;

private:
    struct Loaded;
    explicit EffectsLibrary(std::unique_ptr<Loaded> loaded);
    std::unique_ptr<Loaded> m_loaded;
};

// The library from the program's library folder; when it cannot be loaded, a warning says so.
std::optional<EffectsLibrary> openEffectsLibrary(const Paths& paths, Host& host);

} // namespace gp
