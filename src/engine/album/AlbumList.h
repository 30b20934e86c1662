#pragma once
// The photo list of the open album: up to 5000 photos in order, the album description, the
// current selection, the first row the album window shows and the modified flag. Every change
// to the photos or their order sets the flag; saving clears it.

#include "album/AlbumFormat.h"
#include "album/PhotoItem.h"

#include <string>
#include <vector>

namespace gp {

class Host;

enum class DeleteFiles { No, Yes };

class AlbumList {
public:
    const std::vector<PhotoItem>& photos() const { return m_photos; }
    std::vector<PhotoItem>& photos() { return m_photos; }
    int count() const { return int(m_photos.size()); }
    bool isEmpty() const { return m_photos.empty(); }
    bool isFull() const { return count() >= kMaxAlbumPhotos; }

    const std::string& description() const { return m_description; }
    void setDescription(std::string text);

    int selection() const { return m_selection; }
    void setSelection(int index) { m_selection = index; }
    int firstVisibleRow() const { return m_firstVisibleRow; }
    void setFirstVisibleRow(int row) { m_firstVisibleRow = row; }
    bool isModified() const { return m_modified; }
    void setModified(bool on) { m_modified = on; }

    // The album window's grid, for scrolling: columns per row and rows on view.
    void setGrid(int columns, int rowsShown);
    int rowsNeeded() const;

    // Frees the photos and clears the description, selection, first row and modified flag.
    void clear();
    // Appends a photo (false when the list is full) and scrolls so the last row is on view.
    bool append(PhotoItem item);
    void removeAt(int index);
    // Takes the photo at from out and inserts it at to; the photos between shift by one.
    void move(int from, int to);
    // True when a photo has this path (compared without regard to case).
    bool contains(const std::string& path) const;
    // Removes every selected photo; with DeleteFiles::Yes each file is deleted first, and a file
    // that cannot be deleted shows "Cannot delete this file." (the photo still leaves the list).
    // Returns the number removed.
    int removeSelected(DeleteFiles deleteFiles, Host& host);

private:
    void keepViewInRange();

    std::vector<PhotoItem> m_photos;
    std::string m_description;
    int m_selection = 0;
    int m_firstVisibleRow = 0;
    bool m_modified = false;
    int m_columns = 4;
    int m_rowsShown = 3;
};

} // namespace gp
