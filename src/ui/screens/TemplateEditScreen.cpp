#include "screens/TemplateEditScreen.h"

#include "shell/CommandIds.h"
#include "shell/ButtonIds.h"

namespace gp::ui {

TemplateEditScreen::TemplateEditScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::TemplateEdit, button::TemplateArea)
{
}

void TemplateEditScreen::bindButtons()
{
    bindOkCancel(button::TemplateOk, button::TemplateCancel);
}

} // namespace gp::ui
