#include "layout/TextComposer.h"

#include "RecordingPrintDevice.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

constexpr int kDpi = 96;
const Rect kSquare { 0, 0, 300, 300 };
const Rect kWide { 0, 0, 400, 300 };

// A drawing context that measures every character as half the font height wide.
struct Measure {
    test::DeviceSetup setup;
    std::shared_ptr<test::DeviceLog> log = std::make_shared<test::DeviceLog>();
    test::RecordingPrintDevice dc { setup, log };
};

TextItem item(std::string text, Rect rect)
{
    return { std::move(text), { "Arial", 20, 400 }, {}, TextAlign::Left, rect };
}

} // namespace

TEST(TextComposer, TypingMakesChangesAndDeletesTheCurrentItem)
{
    LayoutPage page;
    TextComposer composer = TextComposer::forCell(page, 0, kSquare);
    const TextSettings settings { "Arial", 12, 3, { 0, 128, 0 }, TextAlign::Center };
    EXPECT_EQ(composer.type("", settings, kDpi), TypingResult::None) << "an empty text never makes an item";
    EXPECT_EQ(composer.type("H", settings, kDpi), TypingResult::Added);
    EXPECT_EQ(composer.type("Hello", settings, kDpi), TypingResult::Changed);
    ASSERT_EQ(composer.list().items().size(), 1u) << "a word typed letter by letter is one item";
    const TextItem& made = composer.list().items()[0];
    EXPECT_EQ(made.text, "Hello");
    EXPECT_EQ(made.rect, kSquare) << "a new item occupies the composing rectangle";
    EXPECT_EQ(made.font, (FontSpec { "Arial", 16, 700, true }));
    EXPECT_EQ(made.color, (Color { 0, 128, 0 }));
    EXPECT_EQ(made.align, TextAlign::Center);

    EXPECT_EQ(composer.type("", settings, kDpi), TypingResult::Deleted);
    EXPECT_TRUE(composer.list().items().empty());
    EXPECT_FALSE(composer.current());
    EXPECT_EQ(composer.type("Again", settings, kDpi), TypingResult::Added);
    EXPECT_EQ(composer.list().items().size(), 1u);

    // New: the next typing starts a second item and leaves the first alone.
    composer.startNew();
    EXPECT_EQ(composer.type("Two", settings, kDpi), TypingResult::Added);
    ASSERT_EQ(composer.list().items().size(), 2u);
    EXPECT_EQ(composer.list().items()[0].text, "Again");
    EXPECT_EQ(composer.current(), 1u);

    // Tabs become four spaces; the box's text is cut at 1023 characters.
    composer.type("a\tb", settings, kDpi);
    EXPECT_EQ(composer.list().items()[1].text, "a    b");
    composer.type(std::string(2000, 'x'), settings, kDpi);
    EXPECT_EQ(composer.list().items()[1].text.size(), 1023u);
}

TEST(TextComposer, ItemLimitsRefuseTheSixthAndTheEleventh)
{
    LayoutPage page;
    TextComposer cell = TextComposer::forCell(page, 3, kSquare);
    for (int i = 0; i < 5; ++i) {
        cell.startNew();
        ASSERT_EQ(cell.type("t" + std::to_string(i), {}, kDpi), TypingResult::Added);
    }
    cell.startNew();
    EXPECT_EQ(cell.type("sixth", {}, kDpi), TypingResult::Refused);
    EXPECT_EQ(cell.list().items().size(), 5u);
    EXPECT_FALSE(cell.current()) << "the refused text has no item to change";
    EXPECT_EQ(cell.type("sixth!", {}, kDpi), TypingResult::Refused) << "typing on is refused as well";

    TextComposer free = TextComposer::forFreeStyle(page, kWide);
    for (int i = 0; i < 10; ++i) {
        free.startNew();
        ASSERT_EQ(free.type("t" + std::to_string(i), {}, kDpi), TypingResult::Added);
    }
    free.startNew();
    EXPECT_EQ(free.type("eleventh", {}, kDpi), TypingResult::Refused);
    EXPECT_EQ(free.list().items().size(), 10u);
}

TEST(TextComposer, ListOfAnotherShapeIsDiscardedButCancelBringsItBack)
{
    LayoutPage page;
    TextList square(kSquare);
    square.add(item("square", { 10, 10, 100, 40 }));
    page.setTextList(2, square);

    // The cell is 4 : 3 now: composing starts empty and the cell has no list meanwhile.
    TextComposer composer = TextComposer::forCell(page, 2, kWide);
    EXPECT_TRUE(composer.list().items().empty());
    EXPECT_FALSE(page.textList(2));
    composer.type("new", {}, kDpi);
    composer.cancel();
    ASSERT_TRUE(page.textList(2)) << "Cancel leaves the cell as it was on entry";
    EXPECT_EQ(*page.textList(2), square);

    // OK stores the new list composed in the 4 : 3 rectangle.
    TextComposer again = TextComposer::forCell(page, 2, kWide);
    again.type("wide", {}, kDpi);
    again.accept();
    ASSERT_TRUE(page.textList(2));
    EXPECT_EQ(page.textList(2)->rect(), kWide);
    EXPECT_EQ(page.textList(2)->items()[0].text, "wide");
}

TEST(TextComposer, ListOfTheSameShapeIsRelaidForTheBoxAndCancelUndoesEveryChange)
{
    LayoutPage page;
    TextList small({ 0, 0, 150, 150 });
    small.add(item("kept", { 10, 20, 150, 150 }));
    page.setTextList(0, small);

    TextComposer composer = TextComposer::forCell(page, 0, { 100, 100, 400, 400 });
    ASSERT_EQ(composer.list().items().size(), 1u);
    const TextItem& laid = composer.list().items()[0];
    EXPECT_EQ(laid.rect, (Rect { 120, 140, 400, 400 })) << "twice the size, moved to the box";
    EXPECT_EQ(laid.font.height, 40);
    EXPECT_FALSE(composer.current()) << "entering starts with no current item";

    ASSERT_TRUE(composer.select(0));
    composer.type("changed", {}, kDpi);
    composer.apply({ "Courier", 30, 2, { 255, 0, 0 }, TextAlign::Right }, kDpi);
    composer.moveCurrent(5, 5);
    composer.startNew();
    composer.type("more", {}, kDpi);
    composer.cancel();
    EXPECT_EQ(*page.textList(0), small);

    // An empty list stored with OK leaves the cell without texts.
    TextComposer emptied = TextComposer::forCell(page, 0, { 0, 0, 150, 150 });
    emptied.select(0);
    EXPECT_EQ(emptied.type("", {}, kDpi), TypingResult::Deleted);
    emptied.accept();
    EXPECT_FALSE(page.textList(0));
}

TEST(TextComposer, SettingsApplyToTheCurrentItemAndComeBackFromIt)
{
    LayoutPage page;
    TextComposer composer = TextComposer::forCell(page, 0, kSquare);
    composer.type("one", {}, kDpi);
    const TextSettings bold { "Courier New", 24, 2, { 1, 2, 3 }, TextAlign::Right };
    composer.apply(bold, kDpi);
    const TextItem& changed = composer.list().items()[0];
    EXPECT_EQ(changed.font, (FontSpec { "Courier New", 32, 700, false }));
    EXPECT_EQ(settingsOf(changed, kDpi), bold);

    // Without a current item a change of settings touches no item.
    composer.startNew();
    composer.apply({ "Arial", 8, 1, {}, TextAlign::Left }, kDpi);
    EXPECT_EQ(composer.list().items()[0].font.face, "Courier New");

    // Point sizes round to the nearest pixel: 9 points at 96 dpi are 12 pixels, 11 are 14.67.
    EXPECT_EQ(textFont({ "Arial", 11, 1, {}, TextAlign::Left }, kDpi), (FontSpec { "Arial", 15, 400, true }));
    EXPECT_EQ(textFont({ "Arial", 9, 0, {}, TextAlign::Left }, kDpi).height, 12);
}

TEST(TextComposer, DraggedItemsStayInsideTheBox)
{
    Measure m;
    LayoutPage page;
    TextComposer composer = TextComposer::forCell(page, 0, kWide);
    composer.type("abcd", {}, kDpi); // 16 pixels high: 4 × 8 = 32 wide, 16 high at (0, 0)
    EXPECT_EQ(textExtent(m.dc, composer.list().items()[0]), (Rect { 0, 0, 32, 16 }));
    EXPECT_EQ(composer.itemAt(m.dc, { 5, 5 }), 0u);
    EXPECT_FALSE(composer.itemAt(m.dc, { 40, 5 })) << "beside the text is not on the item";

    composer.startNew();
    composer.moveCurrent(500, 500);
    EXPECT_EQ(composer.list().items()[0].rect, kWide) << "no current item, nothing moves";

    ASSERT_TRUE(composer.select(0));
    composer.moveCurrent(390, 290);
    composer.keepInside(m.dc);
    EXPECT_EQ(textExtent(m.dc, composer.list().items()[0]), (Rect { 368, 284, 400, 300 }))
        << "pushed back to end at the right and bottom edges";
    composer.moveCurrent(-1000, -1000);
    composer.keepInside(m.dc);
    EXPECT_EQ(textExtent(m.dc, composer.list().items()[0]), (Rect { 0, 0, 32, 16 }));

    // A text wider than the box starts at its left edge rather than leaving it.
    composer.type(std::string(60, 'w'), {}, kDpi);
    composer.moveCurrent(50, 0);
    composer.keepInside(m.dc);
    EXPECT_EQ(textExtent(m.dc, composer.list().items()[0]).left, 0);

    // Centred text: the extent follows the alignment inside the item's rectangle.
    composer.startNew();
    composer.type("ab", { "Arial", 12, 0, {}, TextAlign::Center }, kDpi);
    EXPECT_EQ(textExtent(m.dc, composer.list().items()[1]), (Rect { 192, 0, 208, 16 }));
    EXPECT_EQ(composer.itemAt(m.dc, { 200, 8 }), 1u) << "the last drawn item is found first";
}

TEST(TextComposer, FreeStyleTextsAreMovedDownWhileEditedAndFittedBackOnOk)
{
    LayoutPage page;
    TextList& texts = page.freeStyleTexts();
    texts = TextList(kWide);
    texts.add(item("page", { 20, 30, 120, 60 }));
    const TextList before = texts;

    TextComposer composer = TextComposer::forFreeStyle(page, kWide);
    EXPECT_TRUE(composer.freeStyle());
    EXPECT_EQ(composer.list().items()[0].rect, (Rect { 20, 41, 120, 71 }));
    composer.type("late", {}, kDpi); // no current item: a new one over the whole box
    composer.cancel();
    EXPECT_EQ(page.freeStyleTexts(), before);

    TextComposer edited = TextComposer::forFreeStyle(page, kWide);
    edited.type("new", {}, kDpi);
    edited.accept();
    ASSERT_EQ(page.freeStyleTexts().items().size(), 2u);
    EXPECT_EQ(page.freeStyleTexts().rect(), kWide);
    EXPECT_EQ(page.freeStyleTexts().items()[0].rect, (Rect { 20, 30, 120, 60 })) << "moved back up";
    EXPECT_EQ(page.freeStyleTexts().items()[1].rect, kWide) << "fitted back into the printable rectangle";
}
