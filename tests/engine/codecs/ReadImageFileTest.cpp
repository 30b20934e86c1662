#include "codecs/ReadImageFile.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "codecs/BmpWriter.h"
#include "codecs/ImageFileTypes.h"
#include "shell/App.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(defaultExtension(8), "");
}

TEST(FileTypes, DialogTypeListsAreInTheFixedOrder)
{
    const auto open = openFilters();
    ASSERT_EQ(open.size(), 9u);
    EXPECT_EQ(open[0].description, "All Image Files");
    EXPECT_EQ(open[0].patterns, "*.BMP;*.TIF;*.PCX;*.GIF;*.TGA;*.JPG;*.PCD;*.FPX");
    EXPECT_EQ(open[6].patterns, "*.JPG");
    EXPECT_EQ(open[7].description, "*.PCD");
    const auto save = saveFilters();
    ASSERT_EQ(save.size(), 7u);
    EXPECT_EQ(save[6].patterns, "*.FPX");
}

TEST_F(Dispatch, UnknownExtensionIsRefusedWithoutRunningAReader)
{
    const std::string path = writeBmpAs("photo.xyz");
    ReadResult r = readImageFile(app, path);
    EXPECT_EQ(r.status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Unknown file format");
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(Dispatch, MisnamedBitmapIsFoundByTheFallBack)
{
    ReadResult r = readImageFile(app, writeBmpAs("photo.tga"));
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.format, "BMP");
    EXPECT_EQ(r.image->storedRow(0)[0], 77);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dispatch, FileNoReaderKnowsEndsWithoutAnImage)
{
    writeFile(dir / "notes.bmp", "just some text, long enough to pass the header");
    ReadResult r = readImageFile(app, (dir / "notes.bmp").string());
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.image.has_value());
}

TEST_F(Dispatch, JpegOpensUnderItsLongExtensionButNotUnderABitmapName)
{
    GLIMMER_REQUIRE_TOOLS("cjpeg", "convert");
    ASSERT_TRUE(test::runTool("convert -size 8x8 xc:red ppm:- | cjpeg -outfile " + (dir / "photo.jpeg").string()));
    std::filesystem::copy_file(dir / "photo.jpeg", dir / "photo.bmp");
    ReadResult jpeg = readImageFile(app, (dir / "photo.jpeg").string());
    ASSERT_TRUE(jpeg.ok()) << jpeg.detail;
    EXPECT_EQ(jpeg.format, "JPG");
    // The fall-back stops at the TIFF reader, next after BMP, which gives no image for a file
    // without its byte-order mark.
    ReadResult misnamed = readImageFile(app, (dir / "photo.bmp").string());
    EXPECT_EQ(misnamed.status, ReadStatus::NoImage);
    EXPECT_EQ(misnamed.format, "TIF");
    EXPECT_TRUE(host.messages.empty());
}
