#include "base/AtomicFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(AtomicFile, ReplacesTheFileAndLeavesNoTemporary)
{
    test::TempDir dir;
    const auto path = dir / "album.abm";
    test::writeFile(path, "old");
    ASSERT_TRUE(writeFileAtomically(path, std::string_view("new content")));
    EXPECT_EQ(test::readFile(path), "new content");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFile, FailedWriteKeepsTheOldFile)
{
    test::TempDir dir;
    const auto path = dir / "settings.ini";
    test::writeFile(path, "old");
    // A folder in the temporary file's place makes the write fail before the old file is touched.
    std::filesystem::create_directory(dir / "settings.ini.tmp~");
    auto result = writeFileAtomically(path, std::string_view("new"));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind, ErrorKind::Io);
    EXPECT_EQ(test::readFile(path), "old");
}

TEST(AtomicFile, ReadWholeFileRefusesFilesOverTheLimit)
{
    test::TempDir dir;
    test::writeFile(dir / "f", std::string(100, 'x'));
    EXPECT_EQ(readWholeFile(dir / "f", 100)->size(), 100u);
    EXPECT_EQ(readWholeFile(dir / "f", 99).error().kind, ErrorKind::TooLarge);
    EXPECT_EQ(readWholeFile(dir / "missing", 99).error().kind, ErrorKind::Io);
}
