#include "shell/StringTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace gp;

TEST(StringTable, EveryIdIsUsedOnce)
{
    std::multiset<int> ids = {
#define GP_STRING(name, id, text) id,
#include "shell/strings/AllStrings.inc"
#undef GP_STRING
    };
    for (int id : ids)
        EXPECT_EQ(ids.count(id), 1u) << "string id " << id << " is used more than once";
}

TEST(StringTable, LooksUpByIdAndFormats)
{
    EXPECT_EQ(text(StringId::NotEnoughMemory), "There is not enough memory.");
    EXPECT_EQ(text(162), "Untitled-TrueColor");
    EXPECT_EQ(text(1), "");
    EXPECT_FALSE(hasText(1));
    EXPECT_EQ(formatText(StringId::TypeRgb24, 12L), "  12K, 24-bit RGB Color");
    EXPECT_EQ(formatText(StringId::ZoomStatus, 1, 3), "View 1:3");
}
