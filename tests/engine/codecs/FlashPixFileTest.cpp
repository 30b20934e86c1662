// FlashPix reading and writing of the engine through the real libglimmer-flashpix.so: the save
// type's writer with the quality setting, the reader by extension, and a missing library.

#include "codecs/FlashPixFile.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "codecs/ReadImageFile.h"
#include "codecs/SafeSave.h"
#include "codecs/WriteImageFile.h"
#include "app/App.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

constexpr int kSaveTypeFlashPix = 7;

Image picture(int width, int height)
{
    Image image = std::move(Image::create(width, height, 24)).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(x * 255 / width); // blue
            p[1] = std::uint8_t(y * 255 / height);
            p[2] = std::uint8_t(220 - (x + y) * 200 / (width + height));
        }
    image.setResolution(11811, 11811); // 300 dots per inch
    return image;
}

struct FlashPixFile : ::testing::Test {
    TempDir dir;
    FakeHost host;
    App app { host, Paths { dir.path(), dir.path(), dir.path(), GLIMMER_BUILD_LIBDIR } };
};

TEST_F(FlashPixFile, WrittenAndReadBackThroughTheDispatch)
{
    const Image source = picture(150, 90);
    const std::string path = (dir / "photo.fpx").string();
    app.saveOptions().quality = 95;
    ASSERT_EQ(writeImageFile(app.imageFiles(), kSaveTypeFlashPix, source, path), WriteResult::Written);
    const auto highSize = std::filesystem::file_size(path);

    ReadResult read = readImageFile(app.imageFiles(), path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.format, "FPX");
    EXPECT_EQ(read.image->width(), 150);
    EXPECT_EQ(read.image->height(), 90);
    EXPECT_EQ(read.image->bitsPerPixel(), 24);
    EXPECT_NEAR(read.image->xPelsPerMeter(), 11811, 1);
    EXPECT_EQ(countDifferences(toRgb(source), toRgb(*read.image), 12), 0);

    app.saveOptions().quality = 5;
    ASSERT_EQ(writeImageFile(app.imageFiles(), kSaveTypeFlashPix, source, path), WriteResult::Written);
    EXPECT_LT(std::filesystem::file_size(path), highSize);
}

TEST_F(FlashPixFile, GrayImagesStayGray)
{
    Image gray = std::move(Image::create(64, 64, 8)).value();
    for (int i = 0; i < 256; ++i)
        gray.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (int y = 0; y < 64; ++y)
        std::fill_n(gray.row(y), 64, std::uint8_t(y * 4));
    const std::string path = (dir / "gray.fpx").string();
    ASSERT_EQ(writeImageFile(app.imageFiles(), kSaveTypeFlashPix, gray, path), WriteResult::Written);
    ReadResult read = readImageFile(app.imageFiles(), path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.image->bitsPerPixel(), 8);
    EXPECT_EQ(countDifferences(toRgb(gray), toRgb(*read.image), 3), 0);
}

TEST_F(FlashPixFile, MissingLibraryFailsTheWriteAndGivesNoImage)
{
    std::string path = (dir / "kept.fpx").string();
    ASSERT_EQ(writeImageFile(app.imageFiles(), kSaveTypeFlashPix, picture(70, 70), path), WriteResult::Written);
    const auto before = std::filesystem::file_size(path);

    App bare { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() / "nothing" } };
    EXPECT_EQ(
        writeImageFile(bare.imageFiles(), kSaveTypeFlashPix, picture(10, 10), (dir / "new.fpx").string()), WriteResult::WriteError);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.fpx"));
    EXPECT_EQ(readImageFile(bare.imageFiles(), path).status, ReadStatus::NoImage);

    // The safe save keeps the earlier file when the writer fails.
    EXPECT_FALSE(saveImageWithBackup(bare.imageFiles(), picture(10, 10), path));
    EXPECT_EQ(std::filesystem::file_size(path), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "kept.&#!"));
}

TEST_F(FlashPixFile, OtherContentUnderTheNameGivesNoImage)
{
    writeFile(dir / "text.fpx", "plain text, not a compound file");
    EXPECT_EQ(readImageFile(app.imageFiles(), (dir / "text.fpx").string()).status, ReadStatus::NoImage);
}

} // namespace
