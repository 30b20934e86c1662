#include "screens/FramePhotoScreen.h"

#include "shell/CommandIds.h"
#include "shell/ButtonIds.h"

namespace gp::ui {

FramePhotoScreen::FramePhotoScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::Frame, button::FrameArea)
{
}

void FramePhotoScreen::bindButtons()
{
    bindOkCancel(button::FrameOk, button::FrameCancel);
    onButton(button::FrameSaveAs, [this] { runCommand(command::SaveAs); });
}

void FramePhotoScreen::registerCommands()
{
    onKey(command::KeySaveAs, [this] { return runCommand(command::SaveAs); });
}

} // namespace gp::ui
