#include "layout/PageMenus.h"

#include "layout/FreeStyleEditing.h"

namespace gp {

CellMenuItems cellMenuItems(const LayoutPage& page, int cell, int cellCount)
{
    CellMenuItems items;
    items.paste = page.hasClipboard();
    if (cell < 0 || cell >= LayoutPage::kSlots)
        return items;
    if (page.photo(cell)) {
        items.rotatePhoto = items.remove = items.cut = items.copy = true;
        for (int i = 0; i < cellCount && i < LayoutPage::kSlots; ++i)
            if (!page.photo(i))
                items.copyToEmptyCells = true;
    } else if (page.textList(cell)) {
        items.remove = items.cut = items.copy = true;
    }
    return items;
}

ObjectMenuItems objectMenuItems(const LayoutPage& page)
{
    ObjectMenuItems items;
    items.paste = canPasteObject(page);
    const FreeStyleState& state = page.freeStyle();
    const bool photo = state.lastSelected == ObjectKind::Photo && state.selectedPhoto >= 0
        && std::size_t(state.selectedPhoto) < page.photoObjects().size();
    const bool textObject = state.lastSelected == ObjectKind::Text && state.selectedText >= 0
        && std::size_t(state.selectedText) < page.freeStyleTexts().items().size();
    items.adjustSize = items.rotatePhoto = photo;
    items.cut = items.copy = items.remove = photo || textObject;
    return items;
}

} // namespace gp
