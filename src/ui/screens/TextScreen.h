#pragma once
// The text screen for the current cell's texts. OK and Cancel go back to the layout page.

#include "screens/FrameScreen.h"

namespace gp::ui {

class TextScreen : public FrameScreen {
public:
    explicit TextScreen(ScreenContext context);

private:
    void bindButtons() override;
};

} // namespace gp::ui
