#pragma once
// The one allocation routine for image blocks: zero-initialised blocks with their spare bytes,
// a ceiling on a single block so a hostile file or a huge request cannot exhaust memory, and
// "There is not enough memory." through the Host when a block cannot be had. Callers give up
// without further messages when it returns nothing.

#include "image/Image.h"
#include "shell/Host.h"

#include <optional>
#include <string_view>

namespace gp {

class Allocator {
public:
    explicit Allocator(Host& host, std::size_t ceiling = kDefaultBlockCeiling)
        : m_host(&host), m_ceiling(ceiling)
    {
    }

    std::size_t ceiling() const { return m_ceiling; }
    void setCeiling(std::size_t bytes) { m_ceiling = bytes; }

    // caption is "Warning" for most callers; the codecs' block allocator says "System message".
    std::optional<Image> image(int width, int height, int bitsPerPixel, int colors = -1,
                               std::string_view caption = "Warning") const;
    std::optional<Image> mask(int width, int height) const;

    // Tests whether a block of the given size could be had now (the headroom checks of the file
    // opener); reports the failure like an allocation.
    bool reserve(std::size_t bytes, std::string_view caption = "Warning") const;

    // Shows the out-of-memory warning; for callers whose own allocation failed.
    void reportOutOfMemory(std::string_view caption = "Warning") const;

    Host& host() const { return *m_host; }

private:
    Host* m_host;
    std::size_t m_ceiling;
};

} // namespace gp
