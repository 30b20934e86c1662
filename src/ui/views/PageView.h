#pragma once
// The page view of the layout screen: the printer page of the App's layout page as the engine
// lays it out (the paper, its printable area, the cells of the selected layout or the free-style
// objects, every slot's photo fitted into its cell, the cells' texts), with the current cell and
// the cell under the mouse outlined and a badge on every photo that would print below the
// low-resolution threshold (the badge is never printed).
//
// On the cell page a click makes a cell current, a drag from a cell with a photo copies or
// exchanges it with the cell where it is released, a double click asks for photos, and a right
// click opens the cell's context menu. On the free-style page a click selects an object (texts
// first), its eight handles resize it and a drag inside moves it, Escape during the drag puts it
// back, and a right click opens the object menu. The size of the cell under the mouse or of the
// selected object goes to the status line. Files dropped on the view are handed on to open.
// While My Templates has no template the view takes no mouse input.

#include "base/Geometry.h"
#include "views/PhotoCache.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace gp {
class App;
class Image;
struct ViewPage;
} // namespace gp

namespace gp::ui {

class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(QWidget* parent, App& app);

    // Where the page lies in the view now, recomputed from the printer's page and the size.
    Rect paperRect() const;
    Rect printableRect() const;
    ViewPage viewPage() const;
    // The selected layout's cells in view pixels (empty in free style).
    std::vector<Rect> viewCells() const;
    // The cell under the mouse, or -1.
    int hoveredCell() const { return m_hovered; }
    // Cells whose photo carries the low-resolution badge.
    std::vector<int> lowResolutionCells() const;
    // The photos as the last paint drew them, in device pixels.
    const PhotoCache& photoCache() const { return m_photos; }

    // The one-inch (or one-centimetre) grid over the free-style page; never printed.
    void setGridShown(bool shown);
    bool gridShown() const { return m_gridShown; }

    // The photos changed: forget the prepared pictures and paint again.
    void refresh();

    // Rotate Photo of a slot (the layout screen turns the photo and replaces its document);
    // true when the photo was turned.
    std::function<bool(int slot)> rotatePhoto;
    // Help on a topic of the context menus.
    std::function<void(int topic)> showHelp;

    // The context menu for a point of the view, as a right click there opens it (nothing outside
    // the cells, and nothing while My Templates is empty). The caller owns the menu.
    QMenu* contextMenuAt(QPoint point);

signals:
    void filesDropped(const QStringList& paths);
    // A double click: the user wants photos for the current cell.
    void photosWanted();
    // The current cell changed, a photo moved between cells or an object changed.
    void pageChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool freeStyle() const;
    // My Templates without templates: the page takes no input.
    bool inactive() const;
    int cellAtPoint(QPoint point) const;
    bool cellHoldsSomething(int cell) const;
    void paintCells(QPainter& p);
    void paintFreeStyle(QPainter& p);
    void paintGrid(QPainter& p);
    void showCellReadout(int cell);
    void showObjectReadout(const std::optional<Rect>& rect);
    QMenu* cellMenu(int cell);
    QMenu* objectMenu(QPoint point);
    void closeDropped(const std::shared_ptr<Image>& photo);
    void cancelObjectDrag();

    App* m_app;
    PhotoCache m_photos;
    int m_hovered = -1;
    int m_dragSource = -1;
    bool m_gridShown = false;
    // A free-style object being moved or resized: where the press was, from which handle (-1:
    // moved), the rectangle before and the outline now.
    bool m_objectDrag = false;
    Point m_dragFrom;
    int m_dragHandle = -1;
    Rect m_dragStartRect;
    Rect m_dragRect;
};

} // namespace gp::ui
