#include "app/EditMenuCommands.h"
#include "editing/selection/LiftSelection.h"
#include "shell/CommandIds.h"

#include "EditingApp.h"

using namespace gp;
using namespace gp::test;

namespace {

class UndoAndClipboard : public EditingApp { };

Image solid(int width, int height, Bgr colour)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setScreenPixel(image, x, y, colour);
    return image;
}

} // namespace

TEST_F(UndoAndClipboard, DragCodesCoalesceAndOtherCodesReplaceTheRecord)
{
    Document& document = open(randomImage(8, 8, 24, 1));
    select(document, Rect { 1, 1, 5, 5 });
    document.state().floating = randomImage(4, 4, 24, 2);
    app.undoRecord().record(document, 4015);
    ASSERT_TRUE(app.undoRecord().savedFloating());
    document.state().mask = Image::createMask(2, 2).value();
    document.state().floating = randomImage(2, 2, 24, 3);
    document.state().selection = Rect { 0, 0, 2, 2 };
    app.undoRecord().record(document, 4015);
    EXPECT_EQ(app.undoRecord().savedSelection(), (Rect { 1, 1, 5, 5 }));
    EXPECT_EQ(app.undoRecord().savedFloating()->width(), 4);
    EXPECT_TRUE(document.state().floating); // kept: the record did not take the new one

    app.undoRecord().record(document, 4012);
    EXPECT_EQ(app.undoRecord().savedSelection(), (Rect { 0, 0, 2, 2 }));
    EXPECT_FALSE(document.state().floating);
}

TEST_F(UndoAndClipboard, UndoBelongsToItsDocumentAndGoesWhenItCloses)
{
    Document& first = open(randomImage(8, 8, 24, 4), "a.bmp");
    app.execute(command::FlipHorizontal);
    Document& second = open(randomImage(8, 8, 24, 5), "b.bmp");
    const Image secondBefore = second.image().clone();
    EXPECT_EQ(app.execute(command::Undo), 0);
    EXPECT_TRUE(sameImage(second.image(), secondBefore));
    app.documents().close(first);
    EXPECT_TRUE(app.undoRecord().isEmpty());
}

TEST_F(UndoAndClipboard, PasteIntoASmallerSelectionLandsAtItsCornerAndGrowsIt)
{
    const Image copy = solid(100, 50, Bgr { 1, 2, 3 });
    Document& source = open(copy, "copy.bmp");
    ASSERT_TRUE(copyToClipboard(app));
    EXPECT_EQ(host.clipboardOffers, 1);
    EXPECT_EQ(app.clipboard().width(), 100);
    EXPECT_FALSE(app.clipboard().mask());
    app.documents().close(source);

    const Image original = randomImage(200, 150, 24, 6);
    Document& document = open(original);
    select(document, Rect { 20, 30, 60, 110 }); // 40 × 80
    EXPECT_EQ(app.execute(command::Paste), 1);
    EXPECT_EQ(document.state().selection, (Rect { 20, 30, 120, 110 }));
    EXPECT_TRUE(document.state().selectionShown);
    EXPECT_EQ(app.undoRecord().code(), 8003);
    EXPECT_EQ(screenPixel(document.image(), 20, 30), (Bgr { 1, 2, 3 }));
    EXPECT_EQ(screenPixel(document.image(), 59, 79), (Bgr { 1, 2, 3 }));
    // Only where both the selection and the copy are: not right of the selection, not below the copy.
    EXPECT_EQ(screenPixel(document.image(), 60, 30), screenPixel(original, 60, 30));
    EXPECT_EQ(screenPixel(document.image(), 20, 80), screenPixel(original, 20, 80));

    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_EQ(document.state().selection, (Rect { 20, 30, 60, 110 }));
}

TEST_F(UndoAndClipboard, PasteWithoutSelectionFloatsAtTheTopLeftAndUndoes)
{
    Document& document = open(randomImage(30, 30, 24, 7));
    const Image original = document.image().clone();
    select(document, Rect { 5, 5, 15, 10 });
    ASSERT_TRUE(copyToClipboard(app));
    ASSERT_TRUE(app.clipboard().mask());
    document.state().mask.reset();
    document.state().selectionShown = false;
    EXPECT_EQ(app.execute(command::Paste), 1);
    EXPECT_EQ(app.undoRecord().code(), 4003);
    EXPECT_EQ(document.state().selection, (Rect { 0, 0, 10, 5 }));
    EXPECT_EQ(screenPixel(document.image(), 0, 0), screenPixel(original, 5, 5));
    EXPECT_EQ(screenPixel(document.image(), 9, 4), screenPixel(original, 14, 9));
    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_FALSE(document.state().mask);
    EXPECT_FALSE(document.state().floating);
}

TEST_F(UndoAndClipboard, PasteIntoGrayUsesLuminanceAndIndexedDocumentsRefuse)
{
    open(solid(4, 4, Bgr { 0, 0, 255 }), "red.bmp");
    ASSERT_TRUE(copyToClipboard(app));
    Document& gray = open(grayImage(10, 10), "gray.bmp");
    EXPECT_EQ(app.execute(command::Paste), 1);
    EXPECT_EQ(gray.state().floating->bitsPerPixel(), 8);
    EXPECT_EQ(screenIndex(gray.image(), 3, 3), (76 * 255 + 127) / 255);

    Document& indexed = open(randomImage(10, 10, 8, 8), "indexed.bmp");
    const Image before = indexed.image().clone();
    EXPECT_EQ(app.execute(command::Paste), 0);
    EXPECT_TRUE(sameImage(indexed.image(), before));
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(UndoAndClipboard, CutPaintsTheSelectionInTheActiveColourAndUndoes)
{
    app.settings().active = Rgb { 9, 8, 7 };
    const Image original = randomImage(20, 20, 24, 9);
    Document& document = open(original);
    select(document, Rect { 4, 4, 14, 10 }, ellipseMask(10, 6));
    EXPECT_EQ(app.execute(command::Cut), 1);
    EXPECT_EQ(app.undoRecord().code(), 3001);
    EXPECT_EQ(screenPixel(document.image(), 9, 7), (Bgr { 7, 8, 9 }));
    EXPECT_EQ(screenPixel(document.image(), 4, 4), screenPixel(original, 4, 4)); // outside the ellipse
    EXPECT_TRUE(
        sameImage(app.clipboard().image(), *liftSelection(original, Rect { 4, 4, 14, 10 }, Rgb {}, app.allocator())));
    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), original));
    app.execute(command::Undo);
    EXPECT_EQ(screenPixel(document.image(), 9, 7), (Bgr { 7, 8, 9 }));

    document.state().mask.reset();
    document.state().floating.reset();
    EXPECT_EQ(app.execute(command::Cut), 1);
    EXPECT_EQ(app.undoRecord().code(), 1001);
    EXPECT_EQ(screenPixel(document.image(), 0, 0), (Bgr { 7, 8, 9 }));
    EXPECT_EQ(screenPixel(document.image(), 19, 19), (Bgr { 7, 8, 9 }));
}

TEST_F(UndoAndClipboard, PasteTakesTheSystemClipboardWhenThereIsNoCopy)
{
    const Image theirs = randomImage(6, 3, 8, 10);
    host.systemClipboard = theirs.clone();
    Document& document = open(randomImage(10, 10, 24, 11));
    EXPECT_EQ(app.execute(command::Paste), 1);
    const Rgbq c = theirs.color(screenIndex(theirs, 5, 2));
    EXPECT_EQ(screenPixel(document.image(), 5, 2), (Bgr{c.blue, c.green, c.red}));
    EXPECT_EQ(app.clipboard().bitsPerPixel(), 8);

    app.clipboard().clear();
    host.systemClipboard.reset();
    EXPECT_EQ(app.execute(command::Paste), 0);
}

TEST_F(UndoAndClipboard, PasteAsNewAndTheRenderedBitmapApplyTheMask)
{
    app.settings().active = Rgb { 255, 255, 255 };
    const Image original = randomImage(20, 20, 24, 12);
    Document& document = open(original);
    select(document, Rect { 0, 0, 10, 6 }, ellipseMask(10, 6));
    ASSERT_TRUE(copyToClipboard(app));

    // The bitmap is made only when another program asks for it.
    ASSERT_TRUE(host.clipboardRender);
    const Image onClipboard = *host.clipboardRender();
    EXPECT_EQ(screenPixel(onClipboard, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(screenPixel(onClipboard, 5, 3), screenPixel(original, 5, 3));

    EXPECT_EQ(app.execute(command::PasteAsNew), 0);
    Document* made = app.activeDocument();
    ASSERT_NE(made, &document);
    EXPECT_EQ(made->title(), "Untitled-Duplicated-00");
    EXPECT_TRUE(sameImage(made->image(), onClipboard));

    // Another program empties the clipboard: the copy goes, and Paste has nothing.
    host.clipboardLost();
    EXPECT_TRUE(app.clipboard().isEmpty());
    EXPECT_EQ(app.execute(command::Paste), 0);
}
