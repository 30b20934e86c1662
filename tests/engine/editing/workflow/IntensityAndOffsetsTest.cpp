#include "editing/workflow/EffectIntensity.h"
#include "editing/workflow/EffectsLibrary.h"
#include "editing/workflow/OffsetTable.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace gp;

TEST(EffectIntensityRules, StepsFloorsAndStartingValues)
{
    EXPECT_EQ(initialIntensity(3), 50);
    EXPECT_EQ(initialIntensity(13), 25);
    EXPECT_EQ(initialIntensity(15), 25);
    EXPECT_EQ(initialIntensity(16), 50);

    // Effect 3 moves by 10 between 0 and 100, beeping when held at a limit.
    int value = 50;
    for (int i = 0; i < 5; ++i) {
        const auto change = stepIntensity(3, value, true);
        EXPECT_FALSE(change.beep);
        value = change.value;
    }
    EXPECT_EQ(value, 100);
    auto held = stepIntensity(3, value, true);
    EXPECT_TRUE(held.beep);
    EXPECT_EQ(held.value, 100);
    EXPECT_EQ(stepIntensity(3, 10, false).value, 0);
    held = stepIntensity(3, 0, false);
    EXPECT_TRUE(held.beep);
    EXPECT_EQ(held.value, 0);

    // Effect 1 moves by 1 between 1 and 100.
    EXPECT_EQ(stepIntensity(1, 50, true).value, 51);
    held = stepIntensity(1, 1, false);
    EXPECT_TRUE(held.beep);
    EXPECT_EQ(held.value, 1);
    EXPECT_EQ(stepIntensity(14, 75, true).value, 100);
    EXPECT_EQ(stepIntensity(14, 100, true).value, 100);
}

TEST(EffectIntensityRules, DirectValuesRoundDownToTheStepWithinTheLimits)
{
    EXPECT_EQ(settledIntensity(3, 57), 50);
    EXPECT_EQ(settledIntensity(13, 74), 50);
    EXPECT_EQ(settledIntensity(13, 100), 100);
    EXPECT_EQ(settledIntensity(5, 57), 57);
    EXPECT_EQ(settledIntensity(5, 0), 1);
    EXPECT_EQ(settledIntensity(3, -20), 0);
    EXPECT_EQ(settledIntensity(15, 400), 100);
}

TEST(OffsetFile, EntriesEmptyEntriesAndStrayCharacters)
{
    const OffsetTable table = OffsetTable::parse("12 -5, , 7 3,");
    EXPECT_EQ(table.at(0), (Point { 12, -5 }));
    EXPECT_EQ(table.at(1), (Point { 0, 0 }));
    EXPECT_EQ(table.at(2), (Point { 7, 3 }));
    EXPECT_EQ(table.at(3), (Point { 0, 0 }));
    EXPECT_EQ(table.at(-1), (Point { 0, 0 }));
    EXPECT_EQ(table.at(256), (Point { 0, 0 }));

    // Letters and line ends are ignored; a lone number reads as (0, 0); an entry without its
    // comma at the end of the file is not taken.
    const OffsetTable noisy = OffsetTable::parse("x=4 y=+9,\r\n 8,\n-3 -4,5 6");
    EXPECT_EQ(noisy.at(0), (Point { 4, 9 }));
    EXPECT_EQ(noisy.at(1), (Point { 0, 0 }));
    EXPECT_EQ(noisy.at(2), (Point { -3, -4 }));
    EXPECT_EQ(noisy.at(3), (Point { 0, 0 }));

    // Endless digits are held, and entries past the 256th are ignored.
    const OffsetTable huge = OffsetTable::parse(std::string(5000, '9') + " 1,");
    EXPECT_EQ(huge.at(0).x, 1000000);
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += std::to_string(i) + " 1,";
    const OffsetTable full = OffsetTable::parse(many);
    EXPECT_EQ(full.at(255), (Point { 255, 1 }));
}

TEST(OffsetFile, ReadBesideTheFramePictureOrAllZero)
{
    gp::test::TempDir dir;
    const auto picture = dir.path() / "oval.bmp";
    EXPECT_EQ(OffsetTable::forFrame(picture).at(0), (Point { 0, 0 }));
    std::ofstream(dir.path() / "oval.off") << "30 40,\n";
    EXPECT_EQ(OffsetTable::forFrame(picture).at(0), (Point { 30, 40 }));
    EXPECT_EQ(companionFile(picture, ".msk"), dir.path() / "oval.msk");
}

TEST(EffectsLibraryClient, MissingOrForeignLibraryIsNotOpened)
{
    gp::test::TempDir dir;
    EXPECT_FALSE(EffectsLibrary::open(dir.path() / "libglimmer-effect.so"));
    std::ofstream(dir.path() / "not-a-library.so") << "text";
    EXPECT_FALSE(EffectsLibrary::open(dir.path() / "not-a-library.so"));
}
