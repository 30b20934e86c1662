#include "shell/FormatDecimal.h"
#include "image/GammaTables.h"
#include "shell/RecentFiles.h"
#include "shell/UserSettings.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(UserSettings, DefaultsAndClampsWhenKeysAreMissingOrOutOfRange)
{
    test::TempDir dir;
    test::writeFile(dir / "GLMPRESS.INI", "[USER]\nActR=511\nScanCalChannel=9\nPrintCalChannel=-3\n"
                                          "ScanCalParam=5 -300 250 7\nStampName=averyveryverylongname.stm\n");
    const UserSettings s = readUserSettings(ProfileFile(dir / "GLMPRESS.INI"));
    EXPECT_EQ(s.active, (Rgb{255, 255, 255})) << "511 stored as a byte is 255";
    EXPECT_EQ(s.alternate, (Rgb{0, 0, 255}));
    EXPECT_EQ(s.scanCalChannel, 4);
    EXPECT_EQ(s.printCalChannel, 0);
    EXPECT_EQ(s.scanCalParam, (std::vector<int>{5, -100, 100, 7}));
    EXPECT_EQ(s.stampName.size(), 14u);
    EXPECT_EQ(s.gamma, (std::array<int, 3>{1000, 1000, 1000}));
    EXPECT_EQ(s.margin, 5);
    EXPECT_EQ(s.colorProfiles, 1) << "profiles are converted unless the key says otherwise";
    test::writeFile(dir / "GLMPRESS.INI", "[USER]\nColorProfiles=0\n");
    EXPECT_EQ(readUserSettings(ProfileFile(dir / "GLMPRESS.INI")).colorProfiles, 0);
    test::writeFile(dir / "GLMPRESS.INI", "[USER]\nColorProfiles=7\n");
    EXPECT_EQ(readUserSettings(ProfileFile(dir / "GLMPRESS.INI")).colorProfiles, 1);
}

TEST(UserSettings, ShutdownWritesVersionColourAndRecentFiles)
{
    test::TempDir dir;
    ProfileFile f(dir / "GLMPRESS.INI");
    UserSettings s;
    s.active = {1, 2, 3};
    ASSERT_TRUE(writeShutdownSettings(f, s, {"C:\\photos", "C:\\photos\\a.bmp", "", "", ""}));
    ProfileFile back(dir / "GLMPRESS.INI");
    EXPECT_EQ(back.readInt("USER", "Version", 0), 201);
    EXPECT_EQ(back.readInt("USER", "ActB", 0), 3);
    EXPECT_EQ(back.readString("USER", "File1", "x"), "C:\\photos\\a.bmp");
    EXPECT_EQ(back.readString("USER", "File2", "x"), "");
}

TEST(GammaTables, ClampAndShape)
{
    const GammaTable identity = makeGammaTable(1000);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(identity[std::size_t(i)], i);
    // 0 is clamped to 0.001: everything but black becomes white.
    EXPECT_EQ(makeGammaTable(0), makeGammaTable(1));
    EXPECT_EQ(makeGammaTable(0)[0], 0);
    EXPECT_EQ(makeGammaTable(0)[1], 0) << "(1/255)^1000 rounds to 0";
    EXPECT_EQ(makeGammaTable(0)[255], 255);
    // Anything above 16000 is clamped to 16.
    EXPECT_EQ(makeGammaTable(99999), makeGammaTable(16000));
    EXPECT_EQ(makeGammaTable(2200)[128], 186);
}

TEST(RecentFiles, MovesTheOpenedFileToTheTop)
{
    RecentFiles r;
    for (const char* f : {"c:\\d\\4.bmp", "c:\\d\\3.bmp", "c:\\d\\2.bmp", "c:\\d\\1.bmp"})
        r.add(f);
    EXPECT_EQ(r.file(1), "c:\\d\\1.bmp");
    EXPECT_EQ(r.file(4), "c:\\d\\4.bmp");
    // Opening the file in slot 3 moves it up and shifts slots 1 and 2 down.
    r.add("c:\\d\\3.bmp");
    EXPECT_EQ(r.file(1), "c:\\d\\3.bmp");
    EXPECT_EQ(r.file(2), "c:\\d\\1.bmp");
    EXPECT_EQ(r.file(3), "c:\\d\\2.bmp");
    EXPECT_EQ(r.file(4), "c:\\d\\4.bmp");
    // Slot 1 again: nothing moves. A new file pushes the last one out.
    r.add("c:\\d\\3.bmp");
    EXPECT_EQ(r.file(2), "c:\\d\\1.bmp");
    r.add("e:\\x.jpg");
    EXPECT_EQ(r.file(1), "e:\\x.jpg");
    EXPECT_EQ(r.file(4), "c:\\d\\2.bmp");
    EXPECT_EQ(r.lastDirectory(), "e:");
}

TEST(RecentFiles, DirectoryOfAPath)
{
    EXPECT_EQ(directoryOf("c:\\photos\\a.bmp"), "c:\\photos");
    EXPECT_EQ(directoryOf("c:a.bmp"), "c:");
    EXPECT_EQ(directoryOf("/home/u/a.bmp"), "/home/u");
    EXPECT_EQ(directoryOf("a.bmp"), "");
}

TEST(FormatDecimal, RoundsAndUsesTheSeparator)
{
    EXPECT_EQ(formatDecimal(2.345, 2, ","), "2,35");
    EXPECT_EQ(formatDecimal(2.0, 2, "."), "2.00");
    EXPECT_EQ(formatDecimal(10.05, 1, "."), "10.1");
    EXPECT_EQ(formatDecimal(3.14159, 3, "."), "3.142");
}
