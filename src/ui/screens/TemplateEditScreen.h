#pragma once
// The template editor, reached from the My Templates bar. OK and Cancel go back to the layout
// page.

#include "screens/FrameScreen.h"

namespace gp::ui {

class TemplateEditScreen : public FrameScreen {
public:
    explicit TemplateEditScreen(ScreenContext context);

private:
    void bindButtons() override;
};

} // namespace gp::ui
