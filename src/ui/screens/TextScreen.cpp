#include "screens/TextScreen.h"

#include "shell/CommandIds.h"
#include "skin/ButtonIds.h"

namespace gp::ui {

TextScreen::TextScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::Text, button::TextArea)
{
}

void TextScreen::bindButtons()
{
    bindOkCancel(button::TextOk, button::TextCancel);
}

} // namespace gp::ui
