#pragma once
// The template editor's drawing surface: the user template's page in editor pixels, centred in
// the widget, with its cells. The mouse works the editor's active tool: a click splits a cell
// across or down or into a grid; a press on an edge drags it, shown as an inverting line across
// the page, and moves it on release; a press on the common edge of two cells that form a
// rectangle highlights it and merges them on release, elsewhere the cursor says it is not
// allowed. A refused operation beeps; one that would pass 100 cells says so.

#include "base/Geometry.h"

#include <QWidget>
#include <optional>

namespace gp {
class Host;
class TemplateEditor;
} // namespace gp

namespace gp::ui {

class TemplateEditorView : public QWidget {
    Q_OBJECT
public:
    TemplateEditorView(QWidget* parent, TemplateEditor& editor, Host& host);

    // Where the editor's page (its top-left corner is 0, 0) stands in the widget.
    QPoint pageOffset() const;
    // The size the editor's page may take in this widget.
    Size pageArea() const;

signals:
    // The cells changed.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Point toEditor(QPoint widgetPoint) const;
    void report(int outcome);
    void updateCursor(Point p);

    TemplateEditor* m_editor;
    Host* m_host;
    // An edge drag: the line's direction, its limits and where it is now.
    bool m_edgeDrag = false;
    bool m_edgeVertical = true;
    int m_edgeFrom = 0;
    int m_edgeLowest = 0;
    int m_edgeHighest = 0;
    int m_edgeAt = 0;
    // A merge press: the common edge shown until the release.
    std::optional<Rect> m_mergeEdge;
    Point m_mergePress;
};

} // namespace gp::ui
