#include "shell/FrameTimer.h"

#include "shell/ButtonIds.h"

namespace gp {

namespace {

// A flash would fight with the user: the mouse rests on a button, the button is down, or a help
// request or a drag is under way.
bool mayFlash(const FrameTimerInput& in)
{
    const bool highlightBlocks
        = in.highlighted == button::AddTemplate || (in.highlighted >= 0 && in.highlighted < button::PageButtonLimit);
    return !highlightBlocks && !in.helpPending && !in.dragPending && !in.leftButtonDown;
}

} // namespace

ButtonUpdate frameTimerTick(const FrameTimerInput& in)
{
    ButtonUpdate update;
    if (in.screen == Screen::GetPhotos) {
        (in.albumHasPhotos ? update.enable : update.disable) = { button::UsePhotos, button::RemovePhotos };
        return update;
    }
    if (in.screen != Screen::Layout)
        return update;

    using namespace button;
    if (isEmptyTemplatesState(in.category, in.pageHasTemplate)) {
        update.disable = { GetPhotos, CropPhoto, EditPhoto, FramePhoto, ClearPage, AddText, PrintPage, PreviousLayout,
            NextLayout };
        update.disableTemplateBar = { NewTemplate, EditTemplate };
        if (mayFlash(in))
            update.flashTemplateBar = AddTemplate;
        return update;
    }
    update.enableTemplateBar = { NewTemplate, EditTemplate };
    update.enable = { GetPhotos, CropPhoto, EditPhoto, FramePhoto, ClearPage, AddText, PrintPage };
    if (in.category != kCategoryFreeStyle)
        update.enable.insert(update.enable.end(), { PreviousLayout, NextLayout });
    if (!in.photoListEmpty)
        return update;

    // No photo yet: Crop, Edit and Frame have nothing to work on.
    std::erase_if(update.enable, [&](int id) {
        return id == CropPhoto || id == EditPhoto || id == FramePhoto || (id == ClearPage && !in.anyCellHasPhoto)
            || (id == PrintPage && !in.currentCellCanPrint);
    });
    update.disable = { CropPhoto, EditPhoto, FramePhoto };
    if (!in.anyCellHasPhoto)
        update.disable.push_back(ClearPage);
    if (!in.currentCellCanPrint)
        update.disable.push_back(PrintPage);
    if (mayFlash(in))
        update.flash = GetPhotos;
    return update;
}

} // namespace gp
