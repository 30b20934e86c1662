#include "shell/ProfileFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(ProfileFile, ReadsLikeThePrivateProfileFunctions)
{
    test::TempDir dir;
    test::writeFile(dir / "a.ini", "; comment\r\n[User]\r\nGammaR = 1200 \r\nActR=-12abc\r\nName=\"quoted value\"\r\n"
                                   "gammar=999\r\nEmpty=\r\nWord=abc\r\n[Other]\r\nX=1\r\n");
    ProfileFile f(dir / "a.ini");
    EXPECT_EQ(f.readInt("USER", "GAMMAR", 0), 1200) << "case-insensitive, first duplicate wins";
    EXPECT_EQ(f.readInt("user", "ActR", 0), -12) << "leading digits with sign";
    EXPECT_EQ(f.readInt("user", "Word", 7), 0) << "a value without digits is 0";
    EXPECT_EQ(f.readInt("user", "Missing", 7), 7);
    EXPECT_EQ(f.readInt("Nowhere", "X", 5), 5);
    EXPECT_EQ(f.readString("USER", "Name", "d"), "quoted value");
    EXPECT_EQ(f.readString("USER", "Empty", "d"), "");
    EXPECT_EQ(f.readString("USER", "Missing", "default"), "default");
    EXPECT_EQ(f.readString("USER", "Name", "", 6), "quoted");
    EXPECT_EQ(f.readSection("other").size(), 1u);
    EXPECT_EQ(f.sectionNames(), (std::vector<std::string>{"User", "Other"}));
}

TEST(ProfileFile, WritesKeepEverythingElseAndTheLineEndings)
{
    test::TempDir dir;
    const auto path = dir / "a.ini";
    test::writeFile(path, "; keep me\r\n[USER]\r\nA=1\r\nunknown line\r\n\r\n[Other]\r\nX=1\r\n");
    ProfileFile f(path);
    ASSERT_TRUE(f.writeInt("user", "a", 2));
    ASSERT_TRUE(f.writeString("USER", "B", "text"));
    ASSERT_TRUE(f.writeString("New", "K", "v"));
    EXPECT_EQ(test::readFile(path), "; keep me\r\n[USER]\r\na=2\r\nunknown line\r\nB=text\r\n\r\n[Other]\r\nX=1\r\n"
                                    "\r\n[New]\r\nK=v\r\n");
    ProfileFile again(path);
    EXPECT_EQ(again.readInt("USER", "A", 0), 2);
    ASSERT_TRUE(again.removeSection("other"));
    ASSERT_TRUE(again.removeKey("USER", "B"));
    EXPECT_FALSE(ProfileFile(path).hasKey("Other", "X"));
    EXPECT_FALSE(ProfileFile(path).hasKey("USER", "B"));
}

TEST(ProfileFile, MissingFileIsEmptyAndTheFirstWriteCreatesIt)
{
    test::TempDir dir;
    ProfileFile f(dir / "new.ini");
    EXPECT_FALSE(f.existsOnDisk());
    EXPECT_EQ(f.readInt("USER", "X", 3), 3);
    ASSERT_TRUE(f.writeInt("USER", "X", 4));
    EXPECT_TRUE(f.existsOnDisk());
    EXPECT_EQ(ProfileFile(dir / "new.ini").readInt("USER", "X", 0), 4);
}

TEST(ProfileFile, FailedWriteKeepsTheOldStateAndFile)
{
    test::TempDir dir;
    const auto path = dir / "a.ini";
    test::writeFile(path, "[USER]\nA=1\n");
    ProfileFile f(path);
    std::filesystem::create_directory(dir / "a.ini.tmp~");
    EXPECT_FALSE(f.writeInt("USER", "A", 2));
    EXPECT_EQ(f.readInt("USER", "A", 0), 1);
    EXPECT_EQ(test::readFile(path), "[USER]\nA=1\n");
}
