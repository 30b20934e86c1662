#pragma once
// One of the Before and After windows of the adjustment, filter and effect dialogs: it paints its
// image centred on light gray with a one-pixel frame around it. An image made at a density above
// 1 (twice the pixels each way on a screen of ratio 2) paints at its size divided by the
// density, pixel for pixel. The Before window also takes
// left-button drags while Pan Mode is on (with the hand cursor) and reports the mouse movement.

#include "image/Image.h"

#include <QImage>
#include <QWidget>

namespace gp::ui {

class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // The preview windows are 208 by 208 pixels.
    static constexpr int kSide = 208;

    explicit PreviewPane(QWidget* parent);

    // Shows a copy of the image; nothing clears the window to light gray.
    void showImage(const Image* image, int density = 1);
    const QImage& shownImage() const { return m_picture; }
    void setPannable(bool on);

signals:
    void dragged(int dx, int dy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_pannable = false;
    bool m_dragging = false;
    QPoint m_last;
};

} // namespace gp::ui
