#include "codecs/ReadImageFile.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "codecs/BmpWriter.h"
#include "app/App.h"
#include "codecs/ImageFileContext.h"
#include "codecs/ImageFileTypes.h"
#include "codecs/PhotoCdOptions.h"
#include "codecs/SaveOptions.h"
#include "codecs/WriteImageFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace gp;
using namespace gp::test;

namespace {

struct Dispatch : ::testing::Test {
    TempDir dir;
    FakeHost host;
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };

    std::string writeBmpAs(const std::string& name)
    {
        Image image = std::move(Image::create(3, 2, 24)).value();
        image.pixels()[0] = 77;
        const std::string path = (dir / name).string();
        EXPECT_EQ(writeBmpFile(path, image), WriteResult::Written);
        return path;
    }
};

} // namespace

TEST(FileTypes, ExtensionIsTakenAfterTheLastDotOfTheLastNameOnly)
{
    EXPECT_EQ(extensionOf("c:\\photos\\beach.jpeg"), "JPEG");
    EXPECT_EQ(extensionOf("/home/a.b/photo"), "");
    EXPECT_EQ(extensionOf("c:\\a.b\\photo"), "");
    EXPECT_EQ(extensionOf("photo.abcdefgh"), "");
    EXPECT_EQ(extensionOf("photo.abcdefg"), "ABCDEFG");
    EXPECT_EQ(fileTypeForExtension("JPEG")->type, FileType::Jpg);
    EXPECT_EQ(fileTypeForExtension("PCD")->saveType, 0);
    EXPECT_EQ(fileTypeForExtension("XYZ"), nullptr);
    EXPECT_EQ(fileTypeForSaveType(7)->type, FileType::Fpx);
    EXPECT_EQ(defaultExtension(6), ".JPG");
    EXPECT_EQ(defaultExtension(8), ".PNG");
    EXPECT_EQ(defaultExtension(9), "");
    EXPECT_EQ(fileTypeForExtension("HEIF")->type, FileType::Heic);
    EXPECT_EQ(fileTypeForExtension("WEBP")->saveType, 0);
}

TEST(FileTypes, DialogTypeListsAreInTheFixedOrder)
{
    const auto open = openFilters();
    // The program's eight types keep their places; the photo formats follow them.
    ASSERT_EQ(open.size(), 12u);
    EXPECT_EQ(open[0].description, "All Image Files");
    EXPECT_EQ(open[0].patterns, "*.BMP;*.TIF;*.PCX;*.GIF;*.TGA;*.JPG;*.PCD;*.FPX;*.PNG;*.WEBP;*.HEIC;*.HEIF");
    EXPECT_EQ(open[6].patterns, "*.JPG");
    EXPECT_EQ(open[7].description, "*.PCD");
    EXPECT_EQ(open[9].patterns, "*.PNG");
    EXPECT_EQ(open[11].patterns, "*.HEIC;*.HEIF");
    const auto save = saveFilters();
    ASSERT_EQ(save.size(), 8u);
    EXPECT_EQ(save[6].patterns, "*.FPX");
    EXPECT_EQ(save[7].patterns, "*.PNG");
}

TEST_F(Dispatch, UnknownExtensionIsRefusedWithoutRunningAReader)
{
    const std::string path = writeBmpAs("photo.xyz");
    ReadResult r = readImageFile(app.imageFiles(), path);
    EXPECT_EQ(r.status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Unknown file format");
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(Dispatch, MisnamedBitmapIsFoundByTheFallBack)
{
    ReadResult r = readImageFile(app.imageFiles(), writeBmpAs("photo.tga"));
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.format, "BMP");
    EXPECT_EQ(r.image->storedRow(0)[0], 77);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dispatch, FileNoReaderKnowsEndsWithoutAnImage)
{
    writeFile(dir / "notes.bmp", "just some text, long enough to pass the header");
    ReadResult r = readImageFile(app.imageFiles(), (dir / "notes.bmp").string());
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.image.has_value());
}

TEST_F(Dispatch, JpegOpensUnderItsLongExtensionButNotUnderABitmapName)
{
    GLIMMER_REQUIRE_TOOLS("cjpeg", "convert");
    ASSERT_TRUE(test::runTool("convert -size 8x8 xc:red ppm:- | cjpeg -outfile " + (dir / "photo.jpeg").string()));
    std::filesystem::copy_file(dir / "photo.jpeg", dir / "photo.bmp");
    ReadResult jpeg = readImageFile(app.imageFiles(), (dir / "photo.jpeg").string());
    ASSERT_TRUE(jpeg.ok()) << jpeg.detail;
    EXPECT_EQ(jpeg.format, "JPG");
    // The fall-back stops at the TIFF reader, next after BMP, which gives no image for a file
    // without its byte-order mark.
    ReadResult misnamed = readImageFile(app.imageFiles(), (dir / "photo.bmp").string());
    EXPECT_EQ(misnamed.status, ReadStatus::NoImage);
    EXPECT_EQ(misnamed.format, "TIF");
    EXPECT_TRUE(host.messages.empty());
}

// Reading and writing need only the context's parts: no App is built here. The writer takes the
// compress flag from the context's save options, and the blocks come from the context's
// allocator, whose ceiling refuses a picture that does not fit.
TEST(ImageFileContext, ReadsAndWritesWithOnlyItsOwnParts)
{
    TempDir dir;
    FakeHost host;
    Allocator allocator(host);
    SaveOptions save;
    PhotoCdOptions photoCd;
    const ImageFileContext files { host, allocator, save, photoCd, dir.path(), true };

    Image image = std::move(Image::create(40, 30, 24)).value();
    for (int y = 0; y < image.height(); ++y)
        std::memset(image.storedRow(y), y * 8, 120); // one colour per row: long runs
    const std::string plain = (dir / "plain.tga").string(), packed = (dir / "packed.tga").string();
    save.compress = false;
    ASSERT_EQ(writeImageFile(files, 5, image, plain), WriteResult::Written);
    save.compress = true;
    ASSERT_EQ(writeImageFile(files, 5, image, packed), WriteResult::Written);
    EXPECT_LT(std::filesystem::file_size(packed), std::filesystem::file_size(plain));

    ReadResult back = readImageFile(files, packed);
    ASSERT_TRUE(back.ok()) << back.detail;
    EXPECT_EQ(back.format, "TGA");
    ASSERT_EQ(back.image->width(), 40);
    ASSERT_EQ(back.image->height(), 30);
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(std::memcmp(back.image->storedRow(y), image.storedRow(y), 120), 0) << "row " << y;
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.waitCursorDepth, 0);

    Allocator tight(host, 1000);
    const ImageFileContext small { host, tight, save, photoCd, dir.path(), true };
    EXPECT_FALSE(readImageFile(small, plain).ok());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
}
