#pragma once
// The Edit Photo screen for the current cell's photo. It shows its background; OK and Cancel go
// back to the layout page, Save As and Ctrl+S save the photo under a new name. The edit buttons
// and Undo have no handler yet and so are shown disabled.

#include "screens/FrameScreen.h"

namespace gp::ui {

class EditPhotoScreen : public FrameScreen {
public:
    explicit EditPhotoScreen(ScreenContext context);

private:
    void bindButtons() override;
    void registerCommands() override;
};

} // namespace gp::ui
