#pragma once
// What the Crop, Edit and Frame Photo screens share: the canvas in the screen's area, the photo
// strip beside it (the album of the screen's family), the engine's workflow state for the page's
// current photo or a photo loaded from the strip, and what becomes of a result (a new document,
// or a file chosen with Save As that may then join an album).

#include "editing/workflow/WorkflowState.h"
#include "screens/FrameScreen.h"
#include "shell/StringTable.h"

#include <memory>
#include <string>

namespace gp::ui {

class AlbumStrip;
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
    // Works on a photo file (from the strip) instead: false, with a beep, when it cannot be read
    // or there is no memory for its display copy; the screen's photo is then unchanged.
    bool loadPhoto(const std::string& path);
    // The file of the photo worked on joins the strip's album, so the screen's recent photos can
    // be taken up again; an untitled photo has no file and stays out.
    void keepPhotoInStrip();

    // Makes the display copies again at the canvas's new density, keeping the crop, the effect
    // and the frame's placement, then lets the screen show them.
    void rescale();
    // The effects the preview is made with, for the screen that has them.
    virtual const EffectsLibrary* effects() const { return nullptr; }
    // Shows the copies made again at another density.
    virtual void rescaled() = 0;

    // A click on a photo of the strip, with its file.
    virtual void stripClicked(const std::string& path) = 0;
    // Called before the strip opens, for a screen whose strip fills its album itself.
    virtual void prepareStrip() { }

    // The result as a new document in the page's current cell.
    void openResult(std::optional<Image> result, StringId kind);
    // The result written under a name chosen with Save As, then offered to an album.
    void saveResult(const std::optional<Image>& result, StringId kind);

    // The canvas's picture: a 24-bit engine image shown at place (display pixels, as the
    // workflow state measures).
    void show(const Image& picture, Rect place);

    WorkflowCanvas& canvas() const { return *m_canvas; }
    AlbumStrip& strip() const { return *m_strip; }
    WorkflowState& workflow() { return m_workflow; }
    const WorkflowState& workflow() const { return m_workflow; }

private:
    bool start(std::shared_ptr<const Image> photo);

    WorkflowCanvas* m_canvas;
    AlbumStrip* m_strip;
    WorkflowState m_workflow;
};

} // namespace gp::ui
