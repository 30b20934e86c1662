#pragma once
// The Frame Photo screen for the current cell's photo. It shows its background; OK and Cancel go
// back to the layout page, Save As and Ctrl+S save the photo under a new name. The frame style
// and width buttons have no handler yet and so are shown disabled.

#include "screens/FrameScreen.h"

namespace gp::ui {

class FramePhotoScreen : public FrameScreen {
public:
    explicit FramePhotoScreen(ScreenContext context);

private:
    void bindButtons() override;
    void registerCommands() override;
};

} // namespace gp::ui
