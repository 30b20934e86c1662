#include "shell/FrameTimer.h"

namespace gp {

namespace {

// A flash would fight with the user: the mouse rests on a button, the button is down, or a help
// request or a drag is under way.
bool mayFlash(const FrameTimerInput& in)
{
    const bool highlightBlocks = in.highlighted == 350 || (in.highlighted >= 0 && in.highlighted < 66);
    return !highlightBlocks && !in.helpPending && !in.dragPending && !in.leftButtonDown;
}

} // namespace

ButtonUpdate frameTimerTick(const FrameTimerInput& in)
{
    ButtonUpdate update;
    if (in.screen == Screen::GetPhotos) {
        (in.albumHasPhotos ? update.enable : update.disable) = { 25, 251 };
        return update;
    }
    if (in.screen != Screen::Layout)
        return update;

    if (isEmptyTemplatesState(in.category, in.pageHasTemplate)) {
        update.disable = { 7, 8, 9, 10, 6, 100, 15, 16, 17 };
        update.disableTemplateBar = { 351, 352 };
        if (mayFlash(in))
            update.flashTemplateBar = 350;
        return update;
    }
    update.enableTemplateBar = { 351, 352 };
    update.enable = { 7, 8, 9, 10, 6, 100, 15 };
    if (in.category != kCategoryFreeStyle)
        update.enable.insert(update.enable.end(), { 16, 17 });
    if (!in.photoListEmpty)
        return update;

    // No photo yet: Crop, Edit and Frame have nothing to work on.
    std::erase_if(update.enable, [&](int id) {
        return id == 8 || id == 9 || id == 10 || (id == 6 && !in.anyCellHasPhoto)
            || (id == 15 && !in.currentCellCanPrint);
    });
    update.disable = { 8, 9, 10 };
    if (!in.anyCellHasPhoto)
        update.disable.push_back(6);
    if (!in.currentCellCanPrint)
        update.disable.push_back(15);
    if (mayFlash(in))
        update.flash = 7;
    return update;
}

} // namespace gp
