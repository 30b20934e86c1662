#include "skin/SkinFile.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace gp::ui {

Result<SkinFile> SkinFile::parse(std::vector<std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    auto magic = reader.readBytes(4);
    if (!magic)
        return magic.error();
    if (!std::equal(magic->begin(), magic->end(), "PALM"))
        return makeError(ErrorKind::Malformed, "skin: not a skin file");
    if (auto r = reader.seek(8); !r)
        return r.error();
    auto count = reader.readU32Le();
    if (!count)
        return count.error();
    if (auto r = reader.seek(32); !r)
        return r.error();
    auto pages = reader.readU32Le();
    if (!pages)
        return pages.error();
    if (*pages > std::uint32_t(kSkinMaxPages))
        return makeError(ErrorKind::Malformed, "skin: too many pages");
    // Divide before multiplying: the entry table must fit in the file.
    if (bytes.size() < kSkinHeaderSize || *count > (bytes.size() - kSkinHeaderSize) / kSkinEntrySize)
        return makeError(ErrorKind::Truncated, "skin: entry table past the end of the file");

    SkinFile skin;
    for (std::uint32_t p = 0; p < *pages; ++p) {
        auto first = reader.readU32Le();
        if (!first)
            return first.error();
        skin.m_pageStarts.push_back(int(std::min(*first, *count)));
    }
    skin.m_entries.reserve(*count);
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::uint8_t* e = bytes.data() + kSkinHeaderSize + std::size_t(i) * kSkinEntrySize;
        SkinEntry entry;
        entry.kind = loadU16Le(e + 152);
        const int left = loadU16Le(e + 156);
        const int top = loadU16Le(e + 158);
        entry.rect = Rect { left, top, left + loadU16Le(e + 160), top + loadU16Le(e + 162) };
        entry.parameter = loadU16Le(e + 166);
        entry.offset = loadU32Le(e + 272);
        entry.size = loadU32Le(e + 280);
        skin.m_entries.push_back(entry);
    }
    skin.m_bytes = std::move(bytes);
    return skin;
}

Result<SkinFile> SkinFile::load(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return makeError(ErrorKind::Io, "skin: cannot open " + path.string());
    std::vector<std::uint8_t> bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    return parse(std::move(bytes));
}

std::span<const SkinEntry> SkinFile::page(int page) const
{
    if (page < 0 || page >= pageCount())
        return {};
    const int first = m_pageStarts[std::size_t(page)];
    const int end = page + 1 < pageCount() ? m_pageStarts[std::size_t(page) + 1] : entryCount();
    if (end <= first)
        return {};
    return std::span(m_entries).subspan(std::size_t(first), std::size_t(std::min(end - first, kSkinMaxPageEntries)));
}

Result<Image> SkinFile::image(const SkinEntry& entry) const
{
    const std::size_t dataStart = kSkinHeaderSize + m_entries.size() * kSkinEntrySize;
    const std::size_t available = m_bytes.size() - dataStart;
    if (entry.offset > available || entry.size > available - entry.offset)
        return makeError(ErrorKind::Truncated, "skin: image past the end of the file");
    return Image::fromPacked(std::span(m_bytes).subspan(dataStart + entry.offset, entry.size), kSkinImageCeiling);
}

} // namespace gp::ui
