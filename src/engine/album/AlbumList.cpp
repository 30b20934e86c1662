#include "album/AlbumList.h"

#include "album/PhotoPath.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <filesystem>

namespace gp {

void AlbumList::setDescription(std::string text)
{
    text.resize(std::min(text.size(), kAlbumTextSize - 1));
    m_description = std::move(text);
}

void AlbumList::setGrid(int columns, int rowsShown)
{
    m_columns = std::max(1, columns);
    m_rowsShown = std::max(1, rowsShown);
}

int AlbumList::rowsNeeded() const
{
    return (count() + m_columns - 1) / m_columns;
}

void AlbumList::clear()
{
    m_photos.clear();
    m_description.clear();
    m_selection = 0;
    m_firstVisibleRow = 0;
    m_modified = false;
}

bool AlbumList::append(PhotoItem item)
{
    if (isFull())
        return false;
    m_photos.push_back(std::move(item));
    m_firstVisibleRow = std::max(0, rowsNeeded() - m_rowsShown);
    m_modified = true;
    return true;
}

void AlbumList::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    m_photos.erase(m_photos.begin() + index);
    m_modified = true;
    keepViewInRange();
}

void AlbumList::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return;
    PhotoItem item = std::move(m_photos[std::size_t(from)]);
    m_photos.erase(m_photos.begin() + from);
    m_photos.insert(m_photos.begin() + to, std::move(item));
    m_modified = true;
}

bool AlbumList::contains(const std::string& path) const
{
    return std::any_of(
        m_photos.begin(), m_photos.end(), [&](const PhotoItem& item) { return samePhotoPath(item.record.path, path); });
}

int AlbumList::removeSelected(DeleteFiles deleteFiles, Host& host)
{
    int removed = 0;
    for (int i = count() - 1; i >= 0; --i) {
        const PhotoItem& item = m_photos[std::size_t(i)];
        if (!item.isSelected())
            continue;
        if (deleteFiles == DeleteFiles::Yes) {
            std::error_code error;
            if (!std::filesystem::remove(item.record.path, error))
                host.message(text(StringId::CaptionWarning), text(StringId::CannotDeleteFile), Icon::Warning);
        }
        m_photos.erase(m_photos.begin() + i);
        ++removed;
    }
    if (removed > 0) {
        m_modified = true;
        keepViewInRange();
    }
    return removed;
}

void AlbumList::keepViewInRange()
{
    if (m_selection >= count())
        m_selection = std::max(0, count() - 1);
    m_firstVisibleRow = std::min(m_firstVisibleRow, std::max(0, rowsNeeded() - m_rowsShown));
}

} // namespace gp
