#pragma once
// The album grid: the open album's thumbnails in cells, painted from the stored thumbnails
// through the display tables (never from the photo files), with the selection drawn behind
// them. It turns the mouse into the grid rules of AlbumGridModel: click, Shift and Ctrl
// selection (refused with a beep in the strips), dragging the current photo onto another cell
// (scrolling a row when dragged above or below the grid), hover texts, double click to open,
// the context menu with its greying rules, files dropped from the desktop, and the mouse wheel.
//
// On a screen of device pixel ratio above 1 the photos whose stored thumbnail is a reduction are
// painted from thumbnails with twice its pixels each way, made from the photo files on a worker
// thread as their rows come into view (see album/DenseThumbnails.h); until one is ready, or when
// the file is gone, the stored thumbnail is painted enlarged.
//
// Two shapes: the album screen's grid (several columns) and the one-column strip of the crop,
// edit and frame screens, where a click is reported through setClickHandler().

#include "album/AlbumGridModel.h"
#include "views/DocumentPainter.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

namespace gp {
class App;
class DenseThumbnails;
}

namespace gp::ui {

struct AlbumGridShape {
    int columns = 4;
    int rows = 3;
    int cell = 116; // cell side
    int pitchX = 127;
    int pitchY = 137;
    bool albumScreen = true;

    QSize size() const { return { (columns - 1) * pitchX + cell, (rows - 1) * pitchY + cell }; }
};

// The album screen's grid for a place of the given width: 4 x 3 cells (3 x 2 small) as large
// as the width allows, at most 116 pixels.
AlbumGridShape albumScreenShape(int width, bool small);
// The strip of the crop, edit and frame screens: one column of three 105-pixel cells, 110 apart.
AlbumGridShape albumStripShape();

class AlbumGrid : public QWidget {
    Q_OBJECT
public:
    AlbumGrid(QWidget* parent, App& app, AlbumList& album, AlbumGridShape shape, DisplaySetup display);
    ~AlbumGrid() override;

    AlbumGridModel& model() { return m_model; }
    const AlbumGridShape& shape() const { return m_shape; }
    // The album was changed or switched from outside: repaint and report the scroll range.
    void albumChanged();
    void setAlbum(AlbumList& album);
    void scrollTo(int row);

    // The cell under a point of the widget, or -1.
    int cellAt(QPoint point) const;
    QRect cellRect(int cell) const;

    // The picture a cell paints (in device pixels, with its device pixel ratio), null for an
    // empty cell. A cell whose dense thumbnail is not made yet paints the stored one.
    QImage cellPicture(int cell);
    // The cache of dense thumbnails this grid paints from; null on a screen of ratio 1.
    DenseThumbnails* denseThumbnails();

    // In the strips a click reports the photo clicked (its index) here.
    void setClickHandler(std::function<void(int index)> handler) { m_clickHandler = std::move(handler); }

    // The context menu's commands, also for the screen's keys.
    void cut();
    void copy();
    void paste();
    // Files from the desktop: each photo file (by its extension) is read and appended even when
    // the album holds it; others are skipped. Returns how many were added.
    int addDroppedFiles(const QStringList& paths);

signals:
    // The rows that can be scrolled and the first row shown.
    void scrollChanged(int range, int first);
    // The current photo or the selection changed (the description field follows).
    void selectionChanged(int current);
    void albumModified();
    void openRequested();
    void deleteRequested();
    void propertiesRequested();
    void helpRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void select(int cell, ClickKind kind);
    void showHint(QPoint point);
    void reportScroll();
    bool currentFileReadable() const;
    // The picture of photo index; a dense thumbnail not made yet is added to wishes.
    QImage photoPicture(int index, std::vector<PhotoRecord>* wishes);

    App* m_app;
    AlbumGridModel m_model;
    AlbumGridShape m_shape;
    DisplaySetup m_display;
    std::function<void(int)> m_clickHandler;
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressPoint;
    int m_hintCell = -1;
    std::shared_ptr<DenseThumbnails> m_dense;
};

} // namespace gp::ui
