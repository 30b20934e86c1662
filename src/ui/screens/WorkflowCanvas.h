#pragma once
// The black panel in which the Crop, Edit and Frame Photo screens show their display copy. It
// paints the picture its screen gives at the given place, then lets the screen draw over it, and
// passes the mouse on in the coordinates of the engine's workflow state.
//
// Those coordinates are display pixels: on a display of device pixel ratio r the panel counts
// `density` pixels to each of its own units, the whole number at or above r (a fractional scale
// takes the next size up, and the painter brings the picture down to the screen's pixels), so a
// photo is made at the screen's resolution instead of being enlarged from a coarse copy.

#include "base/Geometry.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace gp::ui {

class WorkflowCanvas : public QWidget {
public:
    explicit WorkflowCanvas(QWidget* parent);

    // The density of the screen the panel is on now; a screen takes it with setDensity when it
    // makes its display copy, and the panel keeps it until the copy is made again, so the
    // picture and the mouse agree meanwhile.
    int screenDensity() const;
    void setDensity(int density);
    int density() const { return m_density; }
    // The panel's size in display pixels at the kept density.
    Size displaySize() const { return { width() * m_density, height() * m_density }; }
    // A point of the panel (its own units) in display pixels, and back.
    Point toDisplay(QPointF at) const;
    QRectF fromDisplay(const Rect& r) const;

    // A picture in display pixels, shown at place (display pixels).
    void setPicture(QImage picture, Rect place);
    void clearPicture();
    const QImage& picture() const { return m_picture; }
    Rect place() const { return m_place; }

    // The screen's drawing over the picture, in the panel's own units.
    std::function<void(QPainter&)> drawOver;
    // Called when the panel finds itself on a screen of another density than its picture's (the
    // window moved to another screen, or the screen's scale changed), for the screen to make its
    // picture again at screenDensity().
    std::function<void()> densityChanged;
    // The mouse, in display pixels.
    std::function<void(Point)> pressed;
    std::function<void(Point, bool buttonDown)> moved;
    std::function<void(Point)> released;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Tells the screen when the screen's density differs from the kept one.
    void checkDensity();

    int m_density = 1;
    QImage m_picture;
    Rect m_place;
};

} // namespace gp::ui
