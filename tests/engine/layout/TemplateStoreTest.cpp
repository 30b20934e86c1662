#include "layout/TemplateStore.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace std::string_literals;

namespace {

CellTemplate twoCells(std::string name = "Two")
{
    return {std::move(name), {{0, 0, 4000, 5000}, {4000, 5000, 8000, 10000}}};
}

} // namespace

TEST(TemplateStore, MissingFileIsCreatedWithNoGroups)
{
    test::TempDir dir;
    TemplateStore store(dir / "template.udf");
    ASSERT_TRUE(store.open());
    EXPECT_EQ(test::readFile(dir / "template.udf"), std::string(8, '\0'));
    EXPECT_EQ(store.groupCount(), 0);
}

TEST(TemplateStore, ByteLayoutAndRoundTrip)
{
    test::TempDir dir;
    TemplateStore store(dir / "template.udf");
    ASSERT_TRUE(store.open());
    const int group = store.findOrAddGroup(pageSizeKey(10000, 8000));
    ASSERT_EQ(group, 0);
    EXPECT_EQ(store.findOrAddGroup(pageSizeKey(8000, 10000)), 0) << "either orientation is the same group";
    ASSERT_TRUE(store.add(group, twoCells()));
    ASSERT_TRUE(store.add(group, {"One", {{1, 2, 3, 4}}}));

    const std::string bytes = test::readFile(dir / "template.udf");
    ASSERT_EQ(bytes.size(), 8u + 268 + 2 * 1860);
    EXPECT_EQ(bytes[4], 1);                      // one group
    EXPECT_EQ(std::uint8_t(bytes[8 + 256]), 8000 & 0xFF);  // short side first
    EXPECT_EQ(bytes[8 + 264], 2);                // two templates
    EXPECT_EQ(bytes.substr(8 + 268, 4), "Two\0"s.substr(0, 4));
    EXPECT_EQ(bytes[8 + 268 + 256], 2);          // cell count

    TemplateStore again(dir / "template.udf");
    ASSERT_TRUE(again.open());
    EXPECT_EQ(again.templateCount(0), 2);
    EXPECT_EQ(again.get(0, 0), twoCells());
    ASSERT_TRUE(again.remove(0, 0));
    EXPECT_EQ(again.get(0, 0).name, "One");
    EXPECT_FALSE(again.remove(0, 5));
    EXPECT_FALSE(again.replace(3, 0, twoCells()));
}

TEST(TemplateStore, WildCellNumbersAreHeldToPaperSizes)
{
    test::TempDir dir;
    {
        TemplateStore store(dir / "template.udf");
        ASSERT_TRUE(store.open());
        ASSERT_TRUE(store.add(store.findOrAddGroup(pageSizeKey(10000, 8000)), {"Wild", {{INT32_MIN, 0, 4000, INT32_MAX}}}));
    }
    TemplateStore again(dir / "template.udf");
    ASSERT_TRUE(again.open());
    EXPECT_EQ(again.get(0, 0).cells[0], (Rect{-CellTemplate::kMaxCoordinate, 0, 4000, CellTemplate::kMaxCoordinate}));
    EXPECT_EQ(again.get(0, 0, 8000).cells.size(), 1u); // turned for landscape without overflow
}

TEST(TemplateStore, LandscapeRotationsAreInverse)
{
    const int h = 8000;
    for (Rect r : {Rect{0, 0, 1000, 2000}, Rect{500, 700, 3000, 7900}}) {
        EXPECT_EQ(rotateForLandscape(rotateForStorage(r, h), h), r);
        EXPECT_EQ(rotateForStorage(rotateForLandscape(r, h), h), r);
    }
    EXPECT_EQ(rotateForLandscape({0, 0, 1000, 2000}, h), (Rect{0, 7000, 2000, 8000}));
}

TEST(TemplateStore, DamagedFilesLeaveTheStoreEmpty)
{
    test::TempDir dir;
    const auto path = dir / "template.udf";
    {
        TemplateStore store(path);
        ASSERT_TRUE(store.open());
        ASSERT_TRUE(store.add(store.findOrAddGroup({8000, 10000}), twoCells()));
    }
    const std::string good = test::readFile(path);
    auto expectEmpty = [&](const std::string& content) {
        test::writeFile(path, content);
        TemplateStore store(path);
        EXPECT_FALSE(store.open());
        EXPECT_EQ(store.groupCount(), 0);
    };
    expectEmpty(good.substr(0, good.size() - 1));  // short read
    std::string badGroups = good;
    badGroups[4] = 101;
    expectEmpty(badGroups);
    std::string badCount = good;
    badCount[8 + 264] = char(0xE9);
    badCount[8 + 265] = 3; // 1001 templates
    expectEmpty(badCount);
    std::string badCells = good;
    badCells[8 + 268 + 256] = 101;
    expectEmpty(badCells);
}

TEST(TemplateStore, HundredGroupsAtMost)
{
    test::TempDir dir;
    TemplateStore store(dir / "template.udf");
    ASSERT_TRUE(store.open());
    for (std::uint32_t i = 0; i < 100; ++i)
        ASSERT_EQ(store.findOrAddGroup({i, 20000}), int(i));
    EXPECT_EQ(store.findOrAddGroup({500, 20000}), -1);
}

TEST(TemplateStore, Names)
{
    EXPECT_EQ(untitledTemplateName(2), "Untitled-3");
    EXPECT_EQ(templateNameFromEditor(std::string(60, 'n')).size(), 50u);
}
