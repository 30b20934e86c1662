#pragma once
// The layout list of the layout screen: the layouts of the current category as miniature pages
// with their cells, three at a time stacked in equal bands. Scrolling moves by a row of three;
// the selection keeps its place in the row. A click on a band chooses its layout.

#include "base/Geometry.h"

#include <QWidget>

namespace gp {
class App;
}

namespace gp::ui {

class LayoutListView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPerRow = 3;

    LayoutListView(QWidget* parent, App& app);

    int firstRow() const { return m_firstRow; }
    // The list was rebuilt: show the row of its selection.
    void reload();
    // Moves the visible row by delta rows, the selection with it; false (and nothing moves) at
    // either end.
    bool scrollRows(int delta);
    // The entry under a point of the view, or -1.
    int entryAt(QPoint point) const;
    // The miniature page of the entry in band (0..2), in view pixels.
    Rect miniaturePaper(int band) const;
    // A miniature's caption: a label sheet whose name begins with a digit shows the name up to
    // its first comma, a user template " n " with its position from 1; other layouts none.
    QString caption(int entry) const;

signals:
    void layoutChosen(int entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRect band(int index) const;

    App* m_app;
    int m_firstRow = 0;
};

} // namespace gp::ui
