#include "album/AlbumSort.h"

#include <cctype>
#include <string_view>
#include <utility>

namespace gp {

namespace {

std::string_view fileName(std::string_view path)
{
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view fileType(std::string_view path)
{
    return path.size() <= 3 ? path : path.substr(path.size() - 3);
}

// File names on the program's home system ignore case, so the texts compare that way.
int compareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename T> int compareNumber(T a, T b)
{
    return a == b ? 0 : (a < b ? -1 : 1);
}

// Negative when a belongs before b in the ascending order of the key.
int compareByKey(const PhotoRecord& a, const PhotoRecord& b, AlbumSortKey key)
{
    switch (key) {
    case AlbumSortKey::FileName: return compareText(fileName(a.path), fileName(b.path));
    case AlbumSortKey::FileType: return compareText(fileType(a.path), fileType(b.path));
    case AlbumSortKey::FileSize: return compareNumber(a.fileSize, b.fileSize);
    case AlbumSortKey::FileDate: return compareNumber(b.fileTime, a.fileTime); // newest first
    case AlbumSortKey::Description: return compareText(a.description, b.description);
    }
    return 0;
}

} // namespace

bool sortAlbum(AlbumList& album, AlbumSortOrder order)
{
    auto& photos = album.photos();
    bool moved = false;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        std::size_t best = i;
        for (std::size_t j = i + 1; j < photos.size(); ++j) {
            int c = compareByKey(photos[j].record, photos[best].record, order.key);
            if (order.reverse)
                c = -c;
            if (c < 0)
                best = j;
        }
        if (best != i) {
            std::swap(photos[i], photos[best]);
            moved = true;
        }
    }
    if (moved)
        album.setModified(true);
    return moved;
}

} // namespace gp
