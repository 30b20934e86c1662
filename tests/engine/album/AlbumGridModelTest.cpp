// The album grid's rules: scroll range, which photo a click means, Shift and Ctrl selection,
// dragging onto a cell, and the album clipboard.

#include "album/AlbumGridModel.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

struct AlbumGridModelTest : ::testing::Test {
    test::FakeHost host;
    Allocator allocator { host };
    AlbumList album;
    AlbumGridModel grid { album, 4, 3, true };

    void fill(int n)
    {
        for (int i = 0; i < n; ++i)
            album.append(test::photoItem(allocator, "/p/" + std::to_string(i) + ".bmp", 10));
        album.setFirstVisibleRow(0);
        album.setModified(false);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const PhotoItem& item : album.photos())
            out.push_back(item.record.path.substr(3, item.record.path.size() - 7));
        return out;
    }
};

TEST_F(AlbumGridModelTest, ThirteenPhotosScrollOneRowAndTwelveNone)
{
    fill(13);
    EXPECT_EQ(grid.scrollRange(), 1);
    EXPECT_TRUE(grid.setFirstVisibleRow(5));
    EXPECT_EQ(grid.firstVisibleRow(), 1) << "limited to the range";
    EXPECT_EQ(grid.itemShownIn(0), 4);
    EXPECT_EQ(grid.itemShownIn(8), 12);
    EXPECT_EQ(grid.itemShownIn(9), -1);
    EXPECT_EQ(grid.itemForClick(11), 12) << "a click beyond the end means the last photo";
    album.photos()[3].setSelected(true);
    album.removeSelected(DeleteFiles::No, host);
    EXPECT_EQ(grid.scrollRange(), 0);
    EXPECT_EQ(grid.firstVisibleRow(), 0);
}

TEST_F(AlbumGridModelTest, ShiftSelectsTheRunAndCtrlToggles)
{
    fill(10);
    EXPECT_EQ(grid.click(2, ClickKind::Plain), AlbumGridModel::ClickResult::Changed);
    EXPECT_EQ(grid.click(2, ClickKind::Plain), AlbumGridModel::ClickResult::Unchanged);
    EXPECT_EQ(grid.click(7, ClickKind::Shift), AlbumGridModel::ClickResult::Changed);
    EXPECT_EQ(grid.selectedItems(), (std::vector<int> { 2, 3, 4, 5, 6, 7 }));
    EXPECT_EQ(grid.current(), 7);
    grid.click(4, ClickKind::Ctrl);
    EXPECT_EQ(grid.selectedItems(), (std::vector<int> { 2, 3, 5, 6, 7 }));
    grid.click(1, ClickKind::Shift); // from 4 back to 1
    EXPECT_EQ(grid.selectedItems(), (std::vector<int> { 1, 2, 3, 4 }));

    AlbumGridModel strip(album, 1, 3, false);
    EXPECT_EQ(strip.click(0, ClickKind::Shift), AlbumGridModel::ClickResult::Refused);
    EXPECT_EQ(strip.click(0, ClickKind::Ctrl), AlbumGridModel::ClickResult::Refused);
    EXPECT_EQ(strip.click(0, ClickKind::Plain), AlbumGridModel::ClickResult::Changed);
    AlbumList empty;
    AlbumGridModel none(empty, 4, 3, true);
    EXPECT_EQ(none.click(0, ClickKind::Plain), AlbumGridModel::ClickResult::Refused);
}

TEST_F(AlbumGridModelTest, DraggingItemZeroOntoItemFivesCell)
{
    fill(8);
    grid.click(0, ClickKind::Plain);
    EXPECT_TRUE(grid.dropCurrentOn(5));
    EXPECT_EQ(names(), (std::vector<std::string> { "1", "2", "3", "4", "5", "0", "6", "7" }));
    EXPECT_EQ(grid.current(), 5);
    EXPECT_TRUE(album.isModified());
    EXPECT_TRUE(grid.dropCurrentOn(11)) << "beyond the end: to the last place";
    EXPECT_EQ(names().back(), "0");
}

TEST_F(AlbumGridModelTest, ClipboardCutCopyPaste)
{
    fill(5);
    EXPECT_FALSE(grid.paste());
    grid.click(1, ClickKind::Plain);
    grid.copyCurrent();
    ASSERT_TRUE(grid.paste());
    EXPECT_EQ(names(), (std::vector<std::string> { "0", "2", "3", "4", "1" })) << "one copy, at the end";
    EXPECT_EQ(grid.current(), 4);
    EXPECT_EQ(grid.selectedItems(), (std::vector<int> { 4 }));

    grid.click(3, ClickKind::Plain);
    grid.cutCurrent();
    EXPECT_EQ(names(), (std::vector<std::string> { "0", "2", "3", "1" }));
    EXPECT_EQ(grid.current(), 3);
    EXPECT_EQ(grid.selectedItems(), (std::vector<int> { 3 }));

    AlbumList other;
    grid.setAlbum(other);
    ASSERT_TRUE(grid.paste());
    EXPECT_EQ(other.photos()[0].record.path, "/p/4.bmp");
}

} // namespace
