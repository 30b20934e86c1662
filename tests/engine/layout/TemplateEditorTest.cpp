#include "layout/TemplateEditor.h"
#include "layout/RectZone.h"
#include "layout/TemplateEditorFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

// A 480 × 600 editor page, as for an 8 × 10 inch whole-inch page.
const Rect kPage { 0, 0, 480, 600 };

TemplateEditor freshEditor()
{
    TemplateEditor editor;
    editor.reset(kPage, "Test");
    return editor;
}

} // namespace

TEST(RectZone, CoreInsideEdgesAndOutside)
{
    const Rect r { 100, 100, 200, 200 };
    EXPECT_EQ(rectZone(r, { 150, 150 }), RectZone::Core);
    EXPECT_EQ(rectZone(r, { 110, 150 }), RectZone::Inside)
        << "10 pixels from the left is short of a vertical cut's core";
    EXPECT_EQ(rectZone(r, { 110, 150 }, CutDirection::Horizontal), RectZone::Core);
    EXPECT_EQ(rectZone(r, { 150, 110 }, CutDirection::Horizontal), RectZone::Inside);
    EXPECT_EQ(rectZone(r, { 97, 150 }), RectZone::Left);
    EXPECT_EQ(rectZone(r, { 203, 150 }), RectZone::Right);
    EXPECT_EQ(rectZone(r, { 150, 95 }), RectZone::Top);
    EXPECT_EQ(rectZone(r, { 150, 205 }), RectZone::Bottom);
    EXPECT_EQ(rectZone(r, { 97, 97 }), RectZone::Outside) << "the corners of the band belong to no edge";
    EXPECT_EQ(rectZone(r, { 80, 150 }), RectZone::Outside);
}

TEST(TemplateEditor, SplitsNeedTheCoreOfACell)
{
    TemplateEditor editor = freshEditor();
    EXPECT_EQ(editor.splitVertical({ 10, 300 }), EditOutcome::Refused) << "10 pixels from the left edge";
    EXPECT_EQ(editor.cells().size(), 1u);
    EXPECT_FALSE(editor.modified());

    EXPECT_EQ(editor.splitVertical({ 200, 300 }), EditOutcome::Done);
    EXPECT_EQ(editor.cells(), (std::vector<Rect> { { 0, 0, 200, 600 }, { 200, 0, 480, 600 } }));
    EXPECT_EQ(editor.splitHorizontal({ 100, 250 }), EditOutcome::Done);
    EXPECT_EQ(editor.cells(), (std::vector<Rect> { { 0, 0, 200, 250 }, { 200, 0, 480, 600 }, { 0, 250, 200, 600 } }));
    EXPECT_EQ(editor.splitHorizontal({ 300, 595 }), EditOutcome::Refused) << "5 pixels from the bottom edge";
    EXPECT_TRUE(editor.modified());
}

TEST(TemplateEditor, GridSplitRefusesThinCellsAndMoreThan100)
{
    TemplateEditor editor;
    editor.reset({ 0, 0, 90, 600 }, "Narrow");
    EXPECT_EQ(editor.gridSplit({ 45, 300 }, 5, 5), EditOutcome::Refused) << "18-pixel columns";
    EXPECT_EQ(editor.gridSplit({ 45, 300 }, 1, 1), EditOutcome::Refused);
    EXPECT_EQ(editor.cells().size(), 1u);
    EXPECT_EQ(editor.gridSplit({ 45, 300 }, 4, 2), EditOutcome::Done);
    ASSERT_EQ(editor.cells().size(), 8u);
    EXPECT_EQ(editor.cells()[0], (Rect { 0, 0, 22, 300 }));
    EXPECT_EQ(editor.cells()[3], (Rect { 66, 0, 90, 300 })) << "the last column takes the remainder";

    TemplateEditor full = freshEditor();
    // 25 cells of 96 × 120, four of them cut into 4 × 4: 85 cells. A 4 × 5 grid would make 104.
    ASSERT_EQ(full.gridSplit({ 240, 300 }, 5, 5), EditOutcome::Done);
    for (Point p : { Point { 10, 10 }, Point { 100, 10 }, Point { 200, 10 }, Point { 300, 10 } })
        ASSERT_EQ(full.gridSplit(p, 4, 4), EditOutcome::Done);
    ASSERT_EQ(full.cells().size(), 85u);
    const Point last { 470, 590 };
    EXPECT_EQ(full.gridSplit(last, 4, 5), EditOutcome::TooManyCells);
    EXPECT_EQ(full.cells().size(), 85u);
    EXPECT_EQ(full.gridSplit(last, 4, 4), EditOutcome::Done);
    EXPECT_EQ(full.cells().size(), 100u);
    const int wide = full.cellAt({ 240, 300 });
    const Rect big = full.cells()[std::size_t(wide)];
    EXPECT_EQ(
        full.splitVertical({ (big.left + big.right) / 2, (big.top + big.bottom) / 2 }), EditOutcome::TooManyCells);
}

TEST(TemplateEditor, MergesOnlyCellsThatFormARectangle)
{
    TemplateEditor editor = freshEditor();
    ASSERT_EQ(editor.splitVertical({ 200, 300 }), EditOutcome::Done);
    ASSERT_EQ(editor.splitHorizontal({ 100, 300 }), EditOutcome::Done);
    // Left column: two cells 300 high; right: one cell 600 high. Different heights side by side.
    EXPECT_FALSE(editor.mergePairAt({ 200, 150 }));
    EXPECT_EQ(editor.merge({ 200, 150 }), EditOutcome::Refused);
    // The two left cells share the edge at y = 300 and are equally wide.
    const auto pair = editor.mergePairAt({ 100, 302 });
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->commonEdge, (Rect { 0, 300, 200, 301 }));
    EXPECT_EQ(editor.merge({ 100, 302 }), EditOutcome::Done);
    EXPECT_EQ(editor.cells(), (std::vector<Rect> { { 0, 0, 200, 600 }, { 200, 0, 480, 600 } }));
    EXPECT_EQ(editor.merge({ 201, 300 }), EditOutcome::Done);
    EXPECT_EQ(editor.cells(), (std::vector<Rect> { kPage }));
}

TEST(TemplateEditor, EdgeDragMovesEveryCellOnTheLineAndStopsAtNeighbours)
{
    TemplateEditor editor = freshEditor();
    ASSERT_EQ(editor.splitVertical({ 200, 300 }), EditOutcome::Done);
    ASSERT_EQ(editor.splitHorizontal({ 100, 300 }), EditOutcome::Done);
    ASSERT_EQ(editor.splitHorizontal({ 300, 300 }), EditOutcome::Done);
    EXPECT_FALSE(editor.edgeAt({ 2, 300 })) << "the page's border does not move";
    const auto line = editor.edgeAt({ 198, 100 });
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->vertical);
    EXPECT_EQ(line->position, 200);
    EXPECT_EQ(editor.moveEdge(*line, 260), EditOutcome::Done);
    for (const Rect& cell : editor.cells())
        EXPECT_TRUE(cell.left == 260 || cell.right == 260) << "all four cells border the moved line";
    const auto again = editor.edgeAt({ 260, 100 });
    ASSERT_TRUE(again);
    EXPECT_EQ(editor.moveEdge(*again, 5000), EditOutcome::Done);
    EXPECT_EQ(editor.cells()[1].width(), TemplateEditor::kMinCellSide) << "an edge stops short of the next one";
}

TEST(TemplateEditor, NameIsCutTo50Characters)
{
    TemplateEditor editor = freshEditor();
    editor.setName(std::string(60, 'n'));
    EXPECT_EQ(editor.name(), std::string(50, 'n'));
}

TEST(TemplateEditorFile, SavedTemplateReadsBackInThousandths)
{
    test::TempDir dir;
    PageGeometry page; // 8 × 10 whole inches at 600 dpi
    const EditorPage editorRect = editorPage(page, { 1000, 600 });
    ASSERT_EQ(editorRect.rect, (Rect { 0, 0, 480, 600 }));
    TemplateStore store(dir / "template.udf");
    ASSERT_TRUE(store.open());
    EXPECT_EQ(newTemplateName(0), "My Template");
    EXPECT_EQ(newTemplateName(2), "Untitled-3");

    TemplateEditor editor;
    editor.reset(editorRect.rect, "Halves");
    ASSERT_EQ(editor.splitVertical({ 240, 300 }), EditOutcome::Done);
    ASSERT_TRUE(saveUserTemplate(editor, store, page, editorRect));
    EXPECT_FALSE(editor.modified());
    EXPECT_EQ(editor.templateIndex(), 0);

    TemplateStore reread(dir / "template.udf");
    ASSERT_TRUE(reread.open());
    const int group = reread.findGroup(pageSizeKey(8000, 10000));
    ASSERT_EQ(group, 0);
    const CellTemplate stored = reread.get(group, 0);
    EXPECT_EQ(stored.name, "Halves");
    EXPECT_EQ(stored.cells, (std::vector<Rect> { { 0, 0, 4000, 10000 }, { 4000, 0, 8000, 10000 } }));

    // Editing it again replaces the record instead of adding one.
    TemplateEditor again;
    ASSERT_TRUE(openUserTemplate(again, reread, page, editorRect, 0));
    EXPECT_EQ(again.cells(), editor.cells());
    ASSERT_EQ(again.splitHorizontal({ 100, 300 }), EditOutcome::Done);
    ASSERT_TRUE(saveUserTemplate(again, reread, page, editorRect));
    EXPECT_EQ(reread.templateCount(group), 1);
    EXPECT_EQ(reread.get(group, 0).cells.size(), 3u);
    EXPECT_FALSE(openUserTemplate(again, reread, page, editorRect, 1));
}

TEST(TemplateEditorFile, LandscapePageRoundTripsThroughThePortraitRecord)
{
    PageGeometry page;
    std::swap(page.wholeInchWidth, page.wholeInchHeight);
    std::swap(page.printableWidth, page.printableHeight);
    const EditorPage editorRect = editorPage(page, { 600, 600 });
    ASSERT_TRUE(editorRect.landscape());
    EXPECT_EQ(editorRect.rect, (Rect { 0, 0, 600, 480 }));
    const std::vector<Rect> cells { { 0, 0, 150, 480 }, { 150, 0, 600, 240 }, { 150, 240, 600, 480 } };
    const std::vector<Rect> stored = cellsToStored(cells, editorRect);
    // The left strip of the landscape page is the top strip of the portrait record.
    EXPECT_EQ(stored[0], (Rect { 0, 0, 8000, 2500 }));
    EXPECT_EQ(storedToCells(stored, editorRect), cells);
}
