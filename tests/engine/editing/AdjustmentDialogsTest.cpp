#include "editing/tone/AdjustmentDialogs.h"
#include "FakeHost.h"
#include "Pictures.h"
#include "editing/effects/FilterDialogs.h"
#include "editing/tone/ToneCurveBox.h"

#include <gtest/gtest.h>

namespace gp {
namespace {

class DialogModels : public ::testing::Test {
protected:
    test::FakeHost host;
    Allocator allocator { host };
    FilterRun run { allocator, host, false };
};

TEST_F(DialogModels, BrightnessContrastPositions)
{
    BrightnessContrastModel model(false);
    const Image source = test::goldenRgb();
    EXPECT_FALSE(model.compute(source, run)); // both at the centre
    model.setBrightnessPosition(300);
    model.setContrastPosition(-5);
    EXPECT_EQ(model.brightnessText(), "127");
    EXPECT_EQ(model.contrastText(), "-128");
    model.setChannel(ToneChannel::Blue);
    auto result = model.compute(source, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedPixel(*result, 3, 4).red, test::storedPixel(source, 3, 4).red);

    BrightnessContrastModel gray(true);
    gray.setChannel(ToneChannel::Red);
    EXPECT_EQ(gray.channel(), ToneChannel::All);
}

TEST_F(DialogModels, HueSaturationTexts)
{
    HueSaturationModel model;
    EXPECT_EQ(model.hueText(), "0");
    EXPECT_EQ(model.saturationText(), "0%");
    model.setHuePosition(-1);
    model.setSaturationPosition(250);
    EXPECT_EQ(model.hueText(), "-180");
    EXPECT_EQ(model.saturationText(), "100%");
    auto result = model.compute(test::flatRgb(2, 2, { 10, 20, 200 }), run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedPixel(*result, 1, 1), (test::Bgr { 200, 200, 200 }));
}

TEST_F(DialogModels, ToneAutoFollowsTheChosenChannel)
{
    const Image source = test::rgbPictureByStoredRow(211, 1, [](int x, int) {
        return test::Bgr { 0, std::uint8_t(20 + x), 255 };
    });
    ToneModel model(false, ToneChannel::Green);
    EXPECT_EQ(model.table(), identityTable());
    model.setMidtone(-40);
    model.autoAdjust(source);
    EXPECT_EQ(model.sliders().highlight, 13);
    EXPECT_EQ(model.sliders().shadow, -10);
    EXPECT_EQ(model.table(), toneCurve(13, -40, -10));
    auto result = model.compute(source, run);
    ASSERT_TRUE(result);
    EXPECT_EQ(test::storedPixel(*result, 0, 0), (test::Bgr { 0, model.table()[20], 255 }));

    ToneModel gray(true, ToneChannel::Blue);
    EXPECT_EQ(gray.channel(), ToneChannel::All);
    gray.setShadow(-300);
    EXPECT_EQ(gray.sliders().shadow, -100);
}

TEST(ToneCurveBox, BarsAndCurvePoints)
{
    LevelHistogram histogram {};
    histogram[10] = 400;
    histogram[20] = 100;
    histogram[30] = 1;
    const auto bars = histogramBarHeights(histogram, 102);
    EXPECT_EQ(bars[10], 100);
    EXPECT_EQ(bars[20], 25);
    EXPECT_EQ(bars[30], 1); // a level that occurs stays visible
    EXPECT_EQ(bars[40], 0);
    EXPECT_EQ(histogramBarHeights(LevelHistogram {}, 102)[10], 0);

    const auto identity = curvePoints(identityTable(), 256, 257, 300);
    ASSERT_EQ(identity.size(), 256u);
    EXPECT_EQ(identity[0], 300);
    EXPECT_EQ(identity[255], 46); // column 255 of 256 shows level 254
    EXPECT_EQ(identity[128], 300 - (128 * 255 + 127) / 255);
    const auto narrow = curvePoints(toneCurve(0, 0, -50), 100, 52, 60);
    EXPECT_EQ(narrow[39], 60); // level (39·255 + 50)/100 = 99 is below the shadow clip
    EXPECT_LT(narrow[41], 60);
}

TEST_F(DialogModels, FilterDialogTitlesAndIntensity)
{
    ClassicRandom random;
    const EffectInputs inputs { random, Rgb {} };
    FilterDialogModel blur(253, 0);
    EXPECT_EQ(blur.title(), "Blur");
    EXPECT_EQ(blur.intensity(), 1);
    EXPECT_EQ(FilterDialogModel(254, 50).title(), "Sharpen");

    FilterDialogModel browser(305, 75);
    EXPECT_EQ(browser.title(), "Ripple");
    browser.setEffectIndex(45);
    EXPECT_EQ(browser.command(), 317);
    EXPECT_EQ(browser.title(), "Ribbon");
    browser.setIntensity(40);
    const Image source = test::goldenRgb();
    auto viaModel = browser.compute(source, inputs, run);
    auto direct = runFilterCommand(317, source, 40, inputs, run);
    ASSERT_TRUE(viaModel && direct);
    EXPECT_EQ(test::checksum(*viaModel), test::checksum(*direct));
}

} // namespace
} // namespace gp
