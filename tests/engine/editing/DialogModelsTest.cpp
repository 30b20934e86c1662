#include "editing/transform/ImageSizeModel.h"
#include "editing/transform/RotateDialogModel.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(RotateDialogModel, BringsTypedAnglesIntoZeroTo359)
{
    RotateDialogModel model(35);
    EXPECT_EQ(model.initialAngle(), 35);
    EXPECT_EQ(model.accept("90"), 90);
    EXPECT_EQ(model.accept(" 720 "), 0);
    EXPECT_EQ(model.accept("365"), 5);
    EXPECT_EQ(model.accept("-90"), 270);
    EXPECT_EQ(model.accept("-1"), 359);
    EXPECT_EQ(model.accept("-360"), 0);
    EXPECT_EQ(model.accept("-9223372036854775807"), RotateDialogModel::normalise(-9223372036854775807LL));
    EXPECT_EQ(model.acceptedAngle(), RotateDialogModel::normalise(-9223372036854775807LL));
    EXPECT_FALSE(model.accept("ninety"));
    EXPECT_FALSE(model.accept("12x"));
    EXPECT_FALSE(model.accept(""));
}

TEST(ImageSizeModel, OpensWithThePresentValues)
{
    Image image = Image::create(200, 100, 24).value();
    image.setResolution(11811, 11811);
    ImageSizeModel model(image, true);
    EXPECT_EQ(model.width(), 200);
    EXPECT_EQ(model.height(), 100);
    EXPECT_EQ(model.resolution(), 300);
    EXPECT_EQ(model.widthScale(), 100);
    EXPECT_EQ(model.heightScale(), 100);
    // 24 × 200 × 100 / 8192 + 1
    EXPECT_EQ(model.dataSizeKb(), 59);

    Image bare = Image::create(10, 10, 8).value();
    EXPECT_EQ(ImageSizeModel(bare, false).presentResolution(), 200);
}

TEST(ImageSizeModel, KeepsTheAspectRatioWhileEditing)
{
    const Image image = Image::create(200, 100, 24).value();
    ImageSizeModel model(image, true);
    ASSERT_TRUE(model.editWidth("50"));
    EXPECT_EQ(model.height(), 25);
    EXPECT_EQ(model.widthScale(), 25);
    EXPECT_EQ(model.heightScale(), 25);
    EXPECT_EQ(model.dataSizeKb(), 24 * 50 * 25 / 8192 + 1);

    ASSERT_TRUE(model.editHeightScale("150"));
    EXPECT_EQ(model.height(), 150);
    EXPECT_EQ(model.width(), 300);
    EXPECT_EQ(model.widthScale(), 150);

    ASSERT_TRUE(model.editHeight("33"));
    EXPECT_EQ(model.width(), 66);
    EXPECT_EQ(model.heightScale(), 33);

    ASSERT_TRUE(model.editWidthScale("7"));
    EXPECT_EQ(model.width(), 14);
    EXPECT_EQ(model.height(), 7);

    model.toggleKeepAspect();
    ASSERT_TRUE(model.editWidth("101"));
    EXPECT_EQ(model.height(), 7);
    EXPECT_EQ(model.widthScale(), 51); // 50.5 rounds up
    EXPECT_EQ(model.heightScale(), 7);
    EXPECT_FALSE(model.editWidth("wide"));
    EXPECT_EQ(model.width(), 101);
}

TEST(ImageSizeModel, OkNeedsAPositiveSizeAndSomeChange)
{
    const Image image = Image::create(200, 100, 24).value();
    ImageSizeModel model(image, true);
    EXPECT_FALSE(model.acceptable());
    ASSERT_TRUE(model.editResolution("150"));
    EXPECT_TRUE(model.acceptable());
    EXPECT_TRUE(model.sizeUnchanged());
    ASSERT_TRUE(model.editResolution("-1"));
    EXPECT_FALSE(model.acceptable());
    ASSERT_TRUE(model.editResolution("0"));
    EXPECT_TRUE(model.acceptable());
    ASSERT_TRUE(model.editWidth("0"));
    EXPECT_FALSE(model.acceptable());
    ASSERT_TRUE(model.editWidth("400"));
    EXPECT_TRUE(model.acceptable());
    EXPECT_FALSE(model.sizeUnchanged());
}
