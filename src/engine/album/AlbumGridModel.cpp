#include "album/AlbumGridModel.h"

#include "album/PhotoPath.h"

#include <algorithm>

namespace gp {

AlbumGridModel::AlbumGridModel(AlbumList& album, int columns, int rowsShown, bool albumScreen)
    : m_album(&album)
    , m_columns(std::max(1, columns))
    , m_rowsShown(std::max(1, rowsShown))
    , m_albumScreen(albumScreen)
{
    m_album->setGrid(m_columns, m_rowsShown);
}

void AlbumGridModel::setAlbum(AlbumList& album)
{
    m_album = &album;
    m_album->setGrid(m_columns, m_rowsShown);
}

int AlbumGridModel::scrollRange() const
{
    return std::max(0, m_album->rowsNeeded() - m_rowsShown);
}

bool AlbumGridModel::setFirstVisibleRow(int row)
{
    row = std::clamp(row, 0, scrollRange());
    if (row == m_album->firstVisibleRow())
        return false;
    m_album->setFirstVisibleRow(row);
    return true;
}

int AlbumGridModel::itemShownIn(int cell) const
{
    if (cell < 0 || cell >= cellCount())
        return -1;
    const int index = m_album->firstVisibleRow() * m_columns + cell;
    return index < m_album->count() ? index : -1;
}

int AlbumGridModel::itemForClick(int cell) const
{
    if (m_album->isEmpty() || cell < 0 || cell >= cellCount())
        return -1;
    return std::min(m_album->firstVisibleRow() * m_columns + cell, m_album->count() - 1);
}

void AlbumGridModel::selectAlone(int index)
{
    auto& photos = m_album->photos();
    for (int i = 0; i < int(photos.size()); ++i)
        photos[std::size_t(i)].setSelected(i == index);
}

AlbumGridModel::ClickResult AlbumGridModel::click(int cell, ClickKind kind)
{
    const int index = itemForClick(cell);
    if (index < 0 || (kind != ClickKind::Plain && !m_albumScreen))
        return ClickResult::Refused;
    auto& photos = m_album->photos();
    std::vector<bool> before;
    for (const PhotoItem& item : photos)
        before.push_back(item.isSelected());
    const int previous = std::clamp(m_album->selection(), 0, m_album->count() - 1);
    switch (kind) {
    case ClickKind::Plain:
        selectAlone(index);
        break;
    case ClickKind::Shift: {
        const int from = std::min(previous, index), to = std::max(previous, index);
        for (int i = 0; i < int(photos.size()); ++i)
            photos[std::size_t(i)].setSelected(i >= from && i <= to);
        break;
    }
    case ClickKind::Ctrl:
        photos[std::size_t(index)].setSelected(!photos[std::size_t(index)].isSelected());
        break;
    }
    const bool moved = index != m_album->selection();
    m_album->setSelection(index);
    for (std::size_t i = 0; i < photos.size(); ++i)
        if (photos[i].isSelected() != before[i])
            return ClickResult::Changed;
    return moved ? ClickResult::Changed : ClickResult::Unchanged;
}

bool AlbumGridModel::dropCurrentOn(int cell)
{
    const int target = itemForClick(cell);
    const int from = m_album->selection();
    if (target < 0 || from < 0 || from >= m_album->count())
        return false;
    if (target != from) {
        m_album->move(from, target);
        m_album->setSelection(target);
    }
    return true;
}

void AlbumGridModel::copyCurrent()
{
    const int index = m_album->selection();
    if (index >= 0 && index < m_album->count())
        m_clipboard = m_album->photos()[std::size_t(index)];
}

void AlbumGridModel::cutCurrent()
{
    const int index = m_album->selection();
    if (index < 0 || index >= m_album->count())
        return;
    copyCurrent();
    m_album->removeAt(index);
    m_album->setModified(true);
    if (!m_album->isEmpty()) {
        m_album->setSelection(std::min(index, m_album->count() - 1));
        m_album->photos()[std::size_t(m_album->selection())].setSelected(true);
    }
}

bool AlbumGridModel::paste()
{
    if (!m_clipboard)
        return false;
    auto& photos = m_album->photos();
    for (int i = 0; i < int(photos.size()); ++i)
        if (samePhotoPath(photos[std::size_t(i)].record.path, m_clipboard->record.path)) {
            m_album->removeAt(i);
            break;
        }
    PhotoItem copy = *m_clipboard;
    copy.setSelected(true);
    if (!m_album->append(std::move(copy)))
        return false;
    selectAlone(m_album->count() - 1);
    m_album->setSelection(m_album->count() - 1);
    return true;
}

std::vector<int> AlbumGridModel::selectedItems() const
{
    std::vector<int> items;
    for (int i = 0; i < m_album->count(); ++i)
        if (m_album->photos()[std::size_t(i)].isSelected())
            items.push_back(i);
    return items;
}

} // namespace gp
