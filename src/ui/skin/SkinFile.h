#pragma once
// The skin files of the button bars ("ui/button.800" and the like): the bytes "PALM", the entry
// count at 8, the page count at 32 and each page's first entry from 36, then 288-byte entries
// from 144, then the data area holding each entry's image as a packed bitmap. Three entries make
// a button: its normal, pressed and hover images; the third carries the kind and the place.
//
// Reading checks every offset against the file, so a damaged skin yields an error (the bar then
// shows its background only) and never a read past the data.

#include "base/Geometry.h"
#include "base/Result.h"
#include "image/Image.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace gp::ui {

inline constexpr std::size_t kSkinHeaderSize = 144;
inline constexpr std::size_t kSkinEntrySize = 288;
inline constexpr int kSkinMaxPages = 27; // page starts fill the header from offset 36
inline constexpr int kSkinMaxPageEntries = 1000;
// No interface picture needs more; a damaged size cannot ask for a huge block.
inline constexpr std::size_t kSkinImageCeiling = std::size_t(32) << 20;

// The kinds an entry can carry.
inline constexpr int kSkinKindSlider = 2;
inline constexpr int kSkinKindScroll = 3;

struct SkinEntry {
    int kind = 0;
    Rect rect;
    int parameter = 0;
    std::uint32_t offset = 0; // within the data area
    std::uint32_t size = 0;
};

class SkinFile {
public:
    static Result<SkinFile> parse(std::vector<std::uint8_t> bytes);
    static Result<SkinFile> load(const std::filesystem::path& path);

    int pageCount() const { return int(m_pageStarts.size()); }
    int entryCount() const { return int(m_entries.size()); }
    // The entries of a page, at most 1000; empty for a page the file does not have.
    std::span<const SkinEntry> page(int page) const;
    // The packed bitmap of an entry; an error when its bytes lie outside the file or are not a
    // bitmap.
    Result<Image> image(const SkinEntry& entry) const;

private:
    std::vector<std::uint8_t> m_bytes;
    std::vector<SkinEntry> m_entries;
    std::vector<int> m_pageStarts;
};

} // namespace gp::ui
