#pragma once
// What the album window's grid does with the open album, apart from drawing it: which photo a
// cell shows, the scroll range, selecting by click, Shift-click and Ctrl-click, moving the
// current photo by dragging it onto a cell, and the album clipboard (Cut, Copy, Paste) that
// holds one photo and the path it came from. The album screen shows a grid of several columns;
// the crop, edit and frame screens show a one-column strip in which only plain clicks select.

#include "album/AlbumList.h"

#include <optional>
#include <string>

namespace gp {

enum class ClickKind { Plain, Shift, Ctrl };

class AlbumGridModel {
public:
    AlbumGridModel(AlbumList& album, int columns, int rowsShown, bool albumScreen);

    AlbumList& album() { return *m_album; }
    const AlbumList& album() const { return *m_album; }
    // Shows another list (the album switched) with the same grid.
    void setAlbum(AlbumList& album);
    int columns() const { return m_columns; }
    int rowsShown() const { return m_rowsShown; }
    int cellCount() const { return m_columns * m_rowsShown; }
    bool isAlbumScreen() const { return m_albumScreen; }

    // Rows that can be scrolled: rows needed - rows shown, at least 0.
    int scrollRange() const;
    int firstVisibleRow() const { return m_album->firstVisibleRow(); }
    // Scrolls to row (limited to 0..scrollRange); true when the view moved.
    bool setFirstVisibleRow(int row);

    // The photo a cell shows, or -1 when the cell lies beyond the end.
    int itemShownIn(int cell) const;
    // The photo a click on the cell means: the one shown, or the last photo when the cell lies
    // beyond the end; -1 for an empty album.
    int itemForClick(int cell) const;
    int current() const { return m_album->selection(); }

    // A click on a cell: plain selects the photo alone, Shift selects everything between the
    // previous current photo and it, Ctrl toggles it. Answers whether the selection changed;
    // refused (nothing changes) means the caller beeps: Shift and Ctrl outside the album
    // screen, or an empty album.
    enum class ClickResult { Refused, Unchanged, Changed };
    ClickResult click(int cell, ClickKind kind);

    // Releasing a dragged photo over a cell: the current photo moves to that place (the photos
    // between shift by one). False when the cell shows nothing to move onto.
    bool dropCurrentOn(int cell);

    // The album clipboard.
    bool hasClipboard() const { return m_clipboard.has_value(); }
    void copyCurrent();
    void cutCurrent();
    // Removes a photo of the clipboard's path, then appends a copy of the clipboard's photo as
    // the current one. False when the clipboard is empty or the album is full.
    bool paste();

    // The selected photos, in album order.
    std::vector<int> selectedItems() const;

private:
    void selectAlone(int index);

    AlbumList* m_album;
    int m_columns;
    int m_rowsShown;
    bool m_albumScreen;
    std::optional<PhotoItem> m_clipboard;
};

} // namespace gp
