#include "shell/CommandLine.h"

#include <gtest/gtest.h>

using namespace gp;
using Names = std::vector<std::string>;

TEST(CommandLine, SkipsOptionsAndSplitsAfterThreeLetterExtensions)
{
    EXPECT_EQ(splitCommandLine("-x a.bmp b.jpg"), (Names{"a.bmp", "b.jpg"}));
    EXPECT_EQ(splitCommandLine("  /p -q  a.bmp"), (Names{"a.bmp"}));
    EXPECT_EQ(splitCommandLine("my photo.bmp other.tif"), (Names{"my photo.bmp", "other.tif"}));
}

TEST(CommandLine, FourLetterExtensionDoesNotEndAName)
{
    EXPECT_EQ(splitCommandLine("photo.jpeg next.bmp"), (Names{"photo.jpeg next.bmp"}));
}

TEST(CommandLine, OnlyOptionsGiveOneEmptyNameAndBlankGivesNone)
{
    EXPECT_EQ(splitCommandLine("-a /b"), (Names{""}));
    EXPECT_TRUE(splitCommandLine("   ").empty());
    EXPECT_TRUE(splitCommandLine("").empty());
}
