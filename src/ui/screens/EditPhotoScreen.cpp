#include "screens/EditPhotoScreen.h"

#include "shell/CommandIds.h"
#include "shell/ButtonIds.h"

namespace gp::ui {

EditPhotoScreen::EditPhotoScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::Edit, button::EditArea)
{
}

void EditPhotoScreen::bindButtons()
{
    bindOkCancel(button::EditOk, button::EditCancel);
    onButton(button::EditSaveAs, [this] { runCommand(command::SaveAs); });
}

void EditPhotoScreen::registerCommands()
{
    onKey(command::KeySaveAs, [this] { return runCommand(command::SaveAs); });
}

} // namespace gp::ui
