#include "screens/GetPhotosScreen.h"

#include "shell/CommandIds.h"
#include "shell/ButtonIds.h"

namespace gp::ui {

GetPhotosScreen::GetPhotosScreen(ScreenContext context)
    : FrameScreen(std::move(context), Screen::GetPhotos, button::AlbumArea)
{
}

void GetPhotosScreen::bindButtons()
{
    bindOkCancel(button::AlbumOk, button::AlbumCancel);
}

} // namespace gp::ui
