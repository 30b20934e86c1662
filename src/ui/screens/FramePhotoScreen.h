#pragma once
// The Frame Photo screen for the page's current photo: the shipped frames in a list; choosing one
// sets the photo into it through the frame's mask, about covering the frame's window. The zoom,
// turn and move buttons and dragging inside the frame place the photo; each step is logged and
// the result replays the log once on the full photo. OK opens the framed photo as a new document,
// Save As writes it to a file.

#include "editing/workflow/FramePlacement.h"
#include "screens/WorkflowScreen.h"

#include <filesystem>
#include <vector>

class QListWidget;

namespace gp::ui {

class FramePhotoScreen : public WorkflowScreen {
public:
    explicit FramePhotoScreen(ScreenContext context);

    void setShown(bool shown) override;

private:
    void bindButtons() override;
    void registerCommands() override;
    void enter() override;
    void accept() override;
    void cancel() override;

    // "choose frame (file name)": loads the frame and its mask; a frame whose mask cannot be
    // read is not shown.
    void chooseFrame(int row);
    void place(PlacementCommand command);
    void refresh();
    std::optional<Image> result() const;

    QListWidget* m_frames;
    std::vector<std::filesystem::path> m_pictures;
    bool m_dragging = false;
    QPoint m_last;
};

} // namespace gp::ui
