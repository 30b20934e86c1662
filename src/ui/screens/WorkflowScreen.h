#pragma once
// What the Crop, Edit and Frame Photo screens share: the canvas in the screen's area, the engine's
// workflow state for the page's current photo, and what becomes of a result (a new document, or
// a file chosen with Save As that may then join an album).

#include "editing/workflow/WorkflowState.h"
#include "screens/FrameScreen.h"
#include "shell/StringTable.h"

namespace gp::ui {

class WorkflowCanvas;

class WorkflowScreen : public FrameScreen {
public:
    WorkflowScreen(ScreenContext context, Screen screen, int area);

    void setShown(bool shown) override;

protected:
    // Takes the page's current photo and makes its display copy for the canvas; false when there
    // is no photo.
    bool startWorkflow();
    // Frees the workflow state; the photo stays with its owner.
    void closeWorkflow();

    // The result as a new document in the page's current cell.
    void openResult(std::optional<Image> result, StringId kind);
    // The result written under a name chosen with Save As, then offered to an album.
    void saveResult(const std::optional<Image>& result, StringId kind);

    // The canvas's picture: a 24-bit engine image shown at place (canvas coordinates).
    void show(const Image& picture, Rect place);

    WorkflowCanvas& canvas() const { return *m_canvas; }
    WorkflowState& workflow() { return m_workflow; }
    const WorkflowState& workflow() const { return m_workflow; }

private:
    WorkflowCanvas* m_canvas;
    WorkflowState m_workflow;
};

} // namespace gp::ui
