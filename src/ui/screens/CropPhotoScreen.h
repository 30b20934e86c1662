#pragma once
// The Crop Photo screen for the current cell's photo. It shows its background; OK and Cancel go
// back to the layout page and Ctrl+S saves the photo under a new name. The crop shape buttons
// have no handler yet and so are shown disabled.

#include "screens/FrameScreen.h"

namespace gp::ui {

class CropPhotoScreen : public FrameScreen {
public:
    explicit CropPhotoScreen(ScreenContext context);

private:
    void bindButtons() override;
    void registerCommands() override;
};

} // namespace gp::ui
