#pragma once
// The Frame Photo screen for the page's current photo: the frames in the strip beside it (an
// album made from the shipped frames the first time the screen is shown); a click on one sets the
// photo into it through the frame's mask, about covering the frame's window, and Next Frame takes
// the strip's next one. The zoom, turn and move buttons and dragging inside the frame place the
// photo; each step is logged and the result replays the log once on the full photo. OK opens the
// framed photo as a new document, Save As writes it to a file.

#include "editing/workflow/FramePlacement.h"
#include "screens/WorkflowScreen.h"


namespace gp::ui {

class FramePhotoScreen : public WorkflowScreen {
public:
    explicit FramePhotoScreen(ScreenContext context);

private:
    void bindButtons() override;
    void registerCommands() override;
    void enter() override;
    void accept() override;
    void cancel() override;
    void prepareStrip() override;
    void stripClicked(const std::string& path) override { chooseFrame(path); }
    void rescaled() override;

    // "choose frame (file name)": loads the frame and its mask; a frame whose mask cannot be
    // read is not shown, and the screen beeps.
    void chooseFrame(const std::string& picture);
    void nextFrame();
    void place(PlacementCommand command);
    void refresh();
    std::optional<Image> result() const;

    bool m_dragging = false;
    Point m_last; // display pixels
};

} // namespace gp::ui
