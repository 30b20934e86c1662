#pragma once
// The Crop Photo screen for the page's current photo: the photo fitted and centred, lightened
// outside the crop rectangle, with a marching dotted outline; the corners (and, in free
// proportions, the edges) resize the rectangle and a drag inside moves it. Fit Cell, Portrait and
// Landscape take the current cell's proportion (as it is, upright, sideways), Any Shape frees it.
// The strip beside it holds the photos cropped before; a click there crops that photo instead,
// with the shape last chosen. OK opens the cut photo as a new document, Save As writes it to a
// file.

#include "editing/workflow/CropRectangle.h"
#include "screens/WorkflowScreen.h"

#include <QTimer>

namespace gp::ui {

class CropPhotoScreen : public WorkflowScreen {
public:
    explicit CropPhotoScreen(ScreenContext context);

    // The outline's phase 0..3; the 300 ms timer advances it while the rectangle has width.
    int outlinePhase() const { return m_phase; }

private:
    enum class Shape { Cell, Upright, Sideways, Free };

    void bindButtons() override;
    void registerCommands() override;
    void enter() override;
    void accept() override;
    void cancel() override;
    void stripClicked(const std::string& path) override;
    void rescaled() override;

    void choose(Shape shape);
    void repaintView();
    void drawOutline(QPainter& painter) const;
    void press(Point p);
    void move(Point p, bool buttonDown);

    QTimer m_outline;
    int m_phase = 0;
    Shape m_shape = Shape::Cell;
    CropHandle m_dragging = CropHandle::None;
    // Where the mouse was when the rectangle last took a movement (display pixels).
    Point m_last;
};

} // namespace gp::ui
