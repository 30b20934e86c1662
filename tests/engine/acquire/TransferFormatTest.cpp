#include "acquire/TransferFormat.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(TransferFormat, ResolutionsBecomePixelsPerMetreByUnit)
{
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { 100, 0 }, TWUN_INCHES), 3937);
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { 300, 0 }, TWUN_INCHES), 11811);
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { 72, 32768 }, TWUN_INCHES), 2854) << "the fraction counts: 72.5 dpi";
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { 40, 0 }, TWUN_CENTIMETERS), 4000);
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { 100, 0 }, 3 /* points */), 0);
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { 100, 0 }, std::nullopt), 0) << "units the source would not tell";
    EXPECT_EQ(pixelsPerMeter(TW_FIX32 { -5, 0 }, TWUN_INCHES), 0);
}

TEST(TransferFormat, ColourTablesFollowPixelTypeAndFlavour)
{
    const Rgbq black { 0, 0, 0, 0 }, white { 255, 255, 255, 0 };
    EXPECT_EQ(colorTableFor(TWPT_BW, 1, TWPF_CHOCOLATE, nullptr), (std::vector<Rgbq> { black, white }));
    EXPECT_EQ(colorTableFor(TWPT_BW, 1, TWPF_VANILLA, nullptr), (std::vector<Rgbq> { white, black }))
        << "when 0 is the lightest, index 0 is white";
    EXPECT_EQ(colorTableFor(TWPT_BW, 1, std::nullopt, nullptr), (std::vector<Rgbq> { black, white }));

    const auto ramp = colorTableFor(TWPT_GRAY, 8, std::nullopt, nullptr);
    ASSERT_EQ(ramp.size(), 256u);
    EXPECT_EQ(ramp[0], black);
    EXPECT_EQ(ramp[128], (Rgbq { 128, 128, 128, 0 }));
    EXPECT_EQ(ramp[255], white);
    const auto ramp4 = colorTableFor(TWPT_GRAY, 4, std::nullopt, nullptr);
    ASSERT_EQ(ramp4.size(), 16u);
    EXPECT_EQ(ramp4[1], (Rgbq { 17, 17, 17, 0 }));

    EXPECT_TRUE(colorTableFor(TWPT_RGB, 24, std::nullopt, nullptr).empty());

    TW_PALETTE8 palette {};
    palette.NumColors = 300; // more than the depth holds
    palette.Colors[1] = TW_ELEMENT8 { 1, 10, 20, 30 };
    const auto table = colorTableFor(TWPT_PALETTE, 4, std::nullopt, &palette);
    ASSERT_EQ(table.size(), 16u);
    EXPECT_EQ(table[1], (Rgbq { 30, 20, 10, 0 })) << "stored blue, green, red from the three channels";
    palette.NumColors = 3;
    EXPECT_EQ(colorTableFor(TWPT_PALETTE, 8, std::nullopt, &palette).size(), 3u);
    EXPECT_TRUE(colorTableFor(TWPT_PALETTE, 8, std::nullopt, nullptr).empty()) << "no palette, no table";
}
