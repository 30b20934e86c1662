#pragma once
// The black panel in which the Crop, Edit and Frame Photo screens show their display copy. It
// paints the picture its screen gives at the given place, then lets the screen draw over it, and
// passes the mouse on in the panel's own coordinates (the window coordinates of the engine's
// workflow state).

#include <QImage>
#include <QWidget>
#include <functional>

namespace gp::ui {

class WorkflowCanvas : public QWidget {
public:
    explicit WorkflowCanvas(QWidget* parent);

    void setPicture(QImage picture, QRect place);
    void clearPicture();

    std::function<void(QPainter&)> drawOver;
    std::function<void(QPoint)> pressed;
    std::function<void(QPoint, bool buttonDown)> moved;
    std::function<void(QPoint)> released;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    QRect m_place;
};

} // namespace gp::ui
