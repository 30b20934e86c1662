#pragma once
// The page view of the layout screen: the printer page of the App's layout page as the engine
// lays it out (the paper, its printable area, the cells of the selected layout or the free-style
// objects, every slot's photo fitted into its cell, the cells' texts), with the current cell and
// the cell under the mouse outlined. A click makes a cell current, a drag from a cell with a
// photo copies or exchanges it with the cell where it is released, a double click asks for
// photos, and files dropped on it are handed to the frame to open.

#include "base/Geometry.h"
#include "views/PhotoCache.h"

#include <QWidget>
#include <vector>

namespace gp {
class App;
}

namespace gp::ui {

class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(QWidget* parent, App& app);

    // Where the page lies in the view now, recomputed from the printer's page and the size.
    Rect paperRect() const;
    Rect printableRect() const;
    // The selected layout's cells in view pixels (empty in free style).
    std::vector<Rect> viewCells() const;
    // The cell under the mouse, or -1.
    int hoveredCell() const { return m_hovered; }

    // The photos changed: forget the prepared pictures and paint again.
    void refresh();

signals:
    void filesDropped(const QStringList& paths);
    // A double click: the user wants photos for the current cell.
    void photosWanted();
    // The current cell changed or a photo moved between cells.
    void pageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool freeStyle() const;
    int cellAtPoint(QPoint point) const;
    bool cellHoldsSomething(int cell) const;

    App* m_app;
    PhotoCache m_photos;
    int m_hovered = -1;
    int m_dragSource = -1;
};

} // namespace gp::ui
