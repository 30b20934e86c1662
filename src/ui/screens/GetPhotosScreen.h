#pragma once
// The Get Photos screen, where photos are chosen from an album for the layout page. It shows its
// background; OK and Cancel go back to the layout page. The album buttons have no handler yet and
// so are shown disabled.

#include "screens/FrameScreen.h"

namespace gp::ui {

class GetPhotosScreen : public FrameScreen {
public:
    explicit GetPhotosScreen(ScreenContext context);

private:
    void bindButtons() override;
};

} // namespace gp::ui
