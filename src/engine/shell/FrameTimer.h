#pragma once
// What the main frame's one-second timer does to the buttons: on the layout page it enables and
// disables the buttons by the state of the page and flashes the button the user should press
// next (Get Photos while no photo is loaded, the template bar's New while My Templates is
// empty); on the Get Photos screen it enables the buttons that need photos in the album.

#include "shell/ScreenState.h"

#include <vector>

namespace gp {

// Template categories: the string ids of their names.
inline constexpr int kCategoryAveryLabels = 9700;
inline constexpr int kCategoryMyTemplates = 9705;
inline constexpr int kCategoryFreeStyle = 9706;

struct FrameTimerInput {
    Screen screen = Screen::Layout;
    int category = kCategoryMyTemplates;
    bool pageHasTemplate = false; // a template is on the page
    bool photoListEmpty = true; // no photo loaded into the layout
    bool anyCellHasPhoto = false;
    bool currentCellCanPrint = false;
    bool albumHasPhotos = false; // screen 1
    int highlighted = -1; // the button under the mouse, -1 none
    bool helpPending = false;
    bool dragPending = false;
    bool leftButtonDown = false;
};

struct ButtonUpdate {
    std::vector<int> enable; // main bar
    std::vector<int> disable;
    std::vector<int> enableTemplateBar; // the My Templates bar
    std::vector<int> disableTemplateBar;
    int flash = 0; // main bar button to flash, 0 none
    int flashTemplateBar = 0; // template bar button to flash, 0 none
};

// My Templates with no template on the page: the layout page refuses to leave or print.
inline bool isEmptyTemplatesState(int category, bool pageHasTemplate)
{
    return category == kCategoryMyTemplates && !pageHasTemplate;
}

ButtonUpdate frameTimerTick(const FrameTimerInput& input);

} // namespace gp
