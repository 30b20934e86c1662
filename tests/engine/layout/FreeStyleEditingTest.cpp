#include "layout/FreeStyleEditing.h"
#include "layout/PageMenus.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

PhotoHandle photo(int w, int h, int pixelsPerMetre = 0)
{
    Image image = std::move(Image::create(w, h, 24)).value();
    image.setResolution(pixelsPerMetre, pixelsPerMetre);
    return std::make_shared<Image>(std::move(image));
}

// A printable rectangle of 400 × 510 view pixels for the 8 × 10.2 inch page: 50 pixels an inch.
ViewPage view()
{
    return { { 20, 30, 420, 540 }, PageGeometry {} };
}

TextItem textAt(Rect r)
{
    TextItem item;
    item.text = "Caption";
    item.rect = r;
    return item;
}

} // namespace

TEST(FreeStyleEditing, NewPhotoObjectsTakeTheirDefaultSizeCascadedFromTheCorner)
{
    LayoutPage page;
    page.setPhoto(0, photo(300, 200, 11811)); // 300 dpi: 1 × 0.67 inches
    page.setPhoto(1, photo(3000, 2000, 3937)); // 100 dpi: 30 inches, too wide for the page
    EXPECT_EQ(slotForNewObject(page), 2) << "the first slot that is empty and shown by no object";
    ASSERT_TRUE(addPhotoObjectFor(page, 0, view()));
    EXPECT_EQ(page.photoObjects()[0].rect, (Rect { 20, 30, 70, 63 }));
    ASSERT_TRUE(addPhotoObjectFor(page, 1, view()));
    EXPECT_EQ(page.photoObjects()[1].rect, (Rect { 20, 152, 420, 418 }))
        << "fitted into the printable area and centred";
    EXPECT_EQ(page.freeStyle().selectedPhoto, 1);
    EXPECT_FALSE(addPhotoObjectFor(page, 5, view())) << "an empty slot gives no object";
}

TEST(FreeStyleEditing, TextsAreTestedBeforePhotosAndTheTopmostWins)
{
    LayoutPage page;
    page.setPhoto(0, photo(100, 100));
    page.setPhoto(1, photo(100, 100));
    page.addPhotoObject({ { 50, 50, 150, 150 }, 0 });
    page.addPhotoObject({ { 100, 100, 200, 200 }, 1 });
    page.freeStyleTexts() = TextList(view().printable);
    page.freeStyleTexts().add(textAt({ 120, 120, 180, 140 }));
    const Rect printable = view().printable;

    EXPECT_EQ(selectObjectAt(page, { 125, 125 }, printable), ObjectKind::Text);
    EXPECT_EQ(page.freeStyle().selectedText, 0);
    EXPECT_EQ(page.freeStyle().selectedPhoto, -1);
    EXPECT_EQ(selectObjectAt(page, { 110, 110 }, printable), ObjectKind::Photo);
    EXPECT_EQ(page.freeStyle().selectedPhoto, 1) << "the object drawn last lies on top";
    EXPECT_EQ(page.freeStyle().selectedText, -1);
    EXPECT_EQ(selectObjectAt(page, { 300, 300 }, printable), ObjectKind::None);
    EXPECT_FALSE(selectedObjectRect(page, printable));
}

TEST(FreeStyleEditing, HandlesAreClippedAndDragsStayOnThePrintableArea)
{
    const Rect printable = view().printable;
    const Rect object { 20, 30, 120, 130 };
    const auto handles = objectHandles(object, printable);
    EXPECT_EQ(handles[0], (Rect { 20, 30, 24, 34 })) << "the top-left handle is cut at the printable corner";
    EXPECT_EQ(handles[4], (Rect { 117, 127, 124, 134 }));
    EXPECT_EQ(handleAt(object, printable, { 120, 80 }), Handle::Right);
    EXPECT_FALSE(handleAt(object, printable, { 70, 80 }));

    EXPECT_EQ(dragObject(object, std::nullopt, { 50, 50 }, { 450, 60 }, printable), (Rect { 320, 40, 420, 140 }));
    EXPECT_EQ(
        dragObject(object, Handle::BottomRight, { 120, 130 }, { 170, 150 }, printable), (Rect { 20, 30, 170, 150 }));
    EXPECT_EQ(dragObject(object, Handle::Left, { 20, 80 }, { 300, 80 }, printable), (Rect { 112, 30, 120, 130 }))
        << "a side never gets shorter than the smallest object";
    EXPECT_EQ(dragObject(object, Handle::Top, { 70, 30 }, { 70, 0 }, printable), object);
    EXPECT_EQ(shrinkToPhoto({ 20, 30, 170, 150 }, { 300, 200 }), (Rect { 20, 30, 170, 130 }));
}

TEST(FreeStyleEditing, RotatedRectangleStaysOnThePage)
{
    const Rect printable = view().printable;
    // 30 wide and 120 high at the right edge: turned it is 120 wide and moves left to stay on.
    EXPECT_EQ(rotatedObjectRect({ 390, 100, 420, 220 }, printable), (Rect { 300, 100, 420, 130 }));
    EXPECT_EQ(rotatedObjectRect({ 300, 480, 420, 540 }, printable), (Rect { 300, 420, 360, 540 }))
        << "and up at the bottom";
    EXPECT_FALSE(rotatedObjectRect({ 20, 50, 120, 500 }, printable)) << "450 wide does not fit a 400-wide page";
}

TEST(FreeStyleEditing, CutCopyPasteAndDeleteFollowTheLastKind)
{
    LayoutPage page;
    const Rect printable = view().printable;
    page.setPhoto(0, photo(100, 100));
    const PhotoHandle shown = page.photo(0);
    page.addPhotoObject({ { 50, 50, 150, 150 }, 0 });
    EXPECT_EQ(objectMenuItems(page), ObjectMenuItems {}) << "nothing selected, nothing to paste";
    selectObjectAt(page, { 60, 60 }, printable);
    EXPECT_EQ(objectMenuItems(page), (ObjectMenuItems { true, true, true, true, true, false }));

    EXPECT_EQ(cutSelectedObject(page), nullptr) << "the clipboard keeps the photo's document open";
    EXPECT_TRUE(page.photoObjects().empty());
    EXPECT_EQ(page.photo(0), nullptr) << "the object's slot is emptied";
    EXPECT_TRUE(objectMenuItems(page).paste);
    ASSERT_TRUE(pasteObject(page, { 380, 500 }, printable));
    ASSERT_EQ(page.photoObjects().size(), 1u);
    EXPECT_EQ(page.photoObjects()[0].rect, (Rect { 320, 440, 420, 540 })) << "pasted at the point, kept on the page";
    EXPECT_EQ(page.photo(page.photoObjects()[0].slot), shown);

    page.freeStyleTexts() = TextList(printable);
    page.freeStyleTexts().add(textAt({ 30, 40, 90, 60 }));
    selectObjectAt(page, { 35, 45 }, printable);
    EXPECT_EQ(objectMenuItems(page), (ObjectMenuItems { false, false, true, true, true, true }));
    copySelectedObject(page);
    ASSERT_TRUE(pasteObject(page, { 200, 200 }, printable));
    EXPECT_EQ(page.freeStyleTexts().items().size(), 2u) << "a text was copied last, so a text is pasted";
    EXPECT_EQ(page.freeStyleTexts().items()[1].rect, (Rect { 200, 200, 260, 220 }));

    EXPECT_EQ(deleteSelectedObject(page), nullptr);
    EXPECT_EQ(page.freeStyleTexts().items().size(), 1u);
    selectObjectAt(page, { 330, 450 }, printable);
    page.clearFreeStyleClipboards();
    EXPECT_EQ(deleteSelectedObject(page), shown) << "with no clipboard holding it the photo leaves the page";
}

TEST(CellMenu, EnabledItemsFollowTheCellAndTheClipboard)
{
    LayoutPage page;
    EXPECT_EQ(cellMenuItems(page, 0, 4), CellMenuItems {}) << "an empty cell offers only Paste (greyed) and Help";
    page.setPhoto(0, photo(10, 10));
    EXPECT_EQ(cellMenuItems(page, 0, 4), (CellMenuItems { true, true, true, true, true, false }));
    page.copyToEmptyCells(0);
    EXPECT_FALSE(cellMenuItems(page, 0, 4).copyToEmptyCells) << "every cell already holds a photo";
    page.deleteCell(1);
    page.textListFor(1, { 0, 0, 10, 10 });
    EXPECT_EQ(cellMenuItems(page, 1, 4), (CellMenuItems { false, true, true, true, false, false }));
    page.copyCell(1);
    page.deleteCell(2);
    EXPECT_EQ(cellMenuItems(page, 2, 4), (CellMenuItems { false, false, false, false, false, true }))
        << "a text list alone in the clipboard can be pasted";
    page.pasteCell(0);
    EXPECT_TRUE(page.photo(0)) << "pasting texts keeps the cell's photo";
    EXPECT_TRUE(page.textList(0));
}
