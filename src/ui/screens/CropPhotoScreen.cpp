#include "screens/CropPhotoScreen.h"

#include "shell/CommandIds.h"
#include "shell/ButtonIds.h"

namespace gp::ui {

CropPhotoScreen::CropPhotoScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::Crop, button::CropArea)
{
}

void CropPhotoScreen::bindButtons()
{
    bindOkCancel(button::CropOk, button::CropCancel);
}

void CropPhotoScreen::registerCommands()
{
    onKey(command::KeySaveAs, [this] { return runCommand(command::SaveAs); });
}

} // namespace gp::ui
