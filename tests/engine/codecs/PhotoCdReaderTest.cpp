// The Photo CD reader of the engine driving the real libglimmer-photocd.so: the options dialog and
// the read modes of Open, slide show and album, the 200-dpi default, the pixels moved behind the
// header, Save turning into Save As, and a missing library.

#include "codecs/PhotoCdReader.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "app/OpenPhoto.h"
#include "codecs/ReadImageFile.h"
#include "app/SaveCommands.h"
#include "image/Document.h"
#include "image/ImageType.h"
#include "app/App.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

class PhotoCdReader : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        const auto land = (*s_dir / "land.png").string();
        const auto portrait = (*s_dir / "portrait.png").string();
        s_ready = haveTool("convert")
            && runTool(
                "convert -size 768x512 gradient:red-blue -fill white -draw 'rectangle 100,100 300,200' '" + land + "'")
            && runTool("convert '" + land + "' '" + (*s_dir / "land.pcd").string() + "'")
            && runTool("convert -size 400x600 gradient:yellow-navy '" + portrait + "'")
            && runTool("convert '" + portrait + "' '" + (*s_dir / "portrait.pcd").string() + "'");
    }
    static void TearDownTestSuite() { delete s_dir; }
    void SetUp() override
    {
        GLIMMER_REQUIRE(s_ready, "ImageMagick cannot make Photo CD files here");
    }

    static std::string file(const char* name) { return (*s_dir / name).string(); }

    static TempDir* s_dir;
    static bool s_ready;
    TempDir m_work;
    FakeHost m_host;
    App m_app { m_host, Paths { m_work.path(), m_work.path(), m_work.path(), GLIMMER_BUILD_LIBDIR } };
};

TempDir* PhotoCdReader::s_dir = nullptr;
bool PhotoCdReader::s_ready = false;

TEST_F(PhotoCdReader, OpenAsksAndTheChosenResolutionGivesItsSize)
{
    m_host.photoCdChoices = { PhotoCdChoice { 0, 2 }, PhotoCdChoice { 0, 3 }, PhotoCdChoice { 0, 2 } };
    ReadResult medium = readImageFile(m_app.imageFiles(), file("land.pcd"));
    ReadResult large = readImageFile(m_app.imageFiles(), file("land.pcd"));
    ReadResult portrait = readImageFile(m_app.imageFiles(), file("portrait.pcd"));
    ASSERT_TRUE(medium.ok() && large.ok() && portrait.ok());
    EXPECT_EQ(medium.format, "PCD");
    EXPECT_EQ(medium.image->width(), 768);
    EXPECT_EQ(medium.image->height(), 512);
    EXPECT_EQ(large.image->width(), 1536);
    EXPECT_EQ(large.image->height(), 1024);
    EXPECT_EQ(portrait.image->width(), 512);
    EXPECT_EQ(portrait.image->height(), 768);

    ASSERT_EQ(m_host.photoCdDialogs.size(), 3u);
    const PhotoCdDialog& first = m_host.photoCdDialogs[0];
    EXPECT_EQ(first.title, "Photo CD Options");
    EXPECT_EQ(first.dataTypes, (std::vector<std::string> { "24-bit RGB", "8-bit Grayscale" }));
    ASSERT_EQ(first.resolutions.size(), 5u);
    EXPECT_EQ(first.resolutions[3], "Large (1024 by 1536)");
    EXPECT_EQ(first.resolution, 2); // preset from the settings: Medium at first
    EXPECT_EQ(m_host.photoCdDialogs[1].resolution, 2);
    EXPECT_EQ(m_host.photoCdDialogs[2].resolution, 3); // the last choice is kept
}

TEST_F(PhotoCdReader, PixelsFollowTheHeaderAndTheResolutionIs200Dpi)
{
    m_app.photoCdOptions().readMode = PhotoCdReadMode::Settings;
    ReadResult read = readImageFile(m_app.imageFiles(), file("land.pcd"));
    ASSERT_TRUE(read.ok());
    const Image& image = *read.image;
    EXPECT_EQ(image.bitsPerPixel(), 24);
    EXPECT_EQ(image.colorCount(), 0);
    EXPECT_EQ(image.bitsOffset(), 40u);
    EXPECT_EQ(image.xPelsPerMeter(), 7874);
    EXPECT_EQ(image.yPelsPerMeter(), 7874);
    const RgbPicture rgb = toRgb(image);
    const std::uint8_t* white = rgb.at(200, 150);
    EXPECT_GT(std::min({ white[0], white[1], white[2] }), 240);
    const std::uint8_t* top = rgb.at(600, 10); // red at the top, blue at the bottom
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 80);
    const std::uint8_t* bottom = rgb.at(600, 500);
    EXPECT_LT(bottom[0], 80);
    EXPECT_GT(bottom[2], 150);
    EXPECT_TRUE(m_host.photoCdDialogs.empty());
}

TEST_F(PhotoCdReader, AlbumAndSlideShowModesReadWithoutTheDialogOnce)
{
    PhotoCdOptions& options = m_app.photoCdOptions();
    options.dataType = kPhotoCdGray8;
    options.resolution = kPhotoCdFull;

    options.readMode = PhotoCdReadMode::AlbumThumbnail;
    ReadResult thumbnail = readImageFile(m_app.imageFiles(), file("portrait.pcd"));
    ASSERT_TRUE(thumbnail.ok());
    EXPECT_EQ(thumbnail.image->width(), 128);
    EXPECT_EQ(thumbnail.image->height(), 192);
    EXPECT_EQ(thumbnail.image->bitsPerPixel(), 24);
    EXPECT_EQ(options.readMode, PhotoCdReadMode::Ask);

    options.readMode = PhotoCdReadMode::SlideShow;
    ReadResult slide = readImageFile(m_app.imageFiles(), file("land.pcd"));
    ASSERT_TRUE(slide.ok());
    EXPECT_EQ(slide.image->width(), 768);
    EXPECT_EQ(slide.image->bitsPerPixel(), 24);
    EXPECT_TRUE(m_host.photoCdDialogs.empty());

    options.readMode = PhotoCdReadMode::Settings;
    ReadResult gray = readImageFile(m_app.imageFiles(), file("land.pcd"));
    ASSERT_TRUE(gray.ok());
    EXPECT_EQ(gray.image->width(), 3072);
    EXPECT_EQ(imageTypeOf(&*gray.image), ImageType::Gray8);
    EXPECT_EQ(gray.image->colorCount(), 256);

    // The mode served that read only: the next one asks again.
    ReadResult asked = readImageFile(m_app.imageFiles(), file("land.pcd"));
    EXPECT_EQ(asked.status, ReadStatus::CannotRead); // the fake dialog was cancelled
    EXPECT_EQ(m_host.photoCdDialogs.size(), 1u);
}

TEST_F(PhotoCdReader, FailuresGiveTheAnswersOfTheReaderRules)
{
    // Cancel answers cannot read; a file that cannot be opened likewise, and resets the mode.
    EXPECT_EQ(readImageFile(m_app.imageFiles(), file("land.pcd")).status, ReadStatus::CannotRead);
    m_app.photoCdOptions().readMode = PhotoCdReadMode::AlbumThumbnail;
    EXPECT_EQ(readImageFile(m_app.imageFiles(), file("absent.pcd")).status, ReadStatus::CannotRead);
    EXPECT_EQ(m_app.photoCdOptions().readMode, PhotoCdReadMode::Ask);

    // Something else under a .pcd name: the library refuses it and there is no image, no fall-back.
    writeFile(m_work / "text.pcd", std::string(4000, 'x'));
    m_app.photoCdOptions().readMode = PhotoCdReadMode::Settings;
    EXPECT_EQ(readImageFile(m_app.imageFiles(), (m_work / "text.pcd").string()).status, ReadStatus::NoImage);

    // Without the library: no image and no message from the reader.
    App bare { m_host, Paths { m_work.path(), m_work.path(), m_work.path(), m_work.path() } };
    bare.photoCdOptions().readMode = PhotoCdReadMode::Settings;
    EXPECT_EQ(readImageFile(bare.imageFiles(), file("land.pcd")).status, ReadStatus::NoImage);
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_EQ(m_host.waitCursorDepth, 0);
}

TEST_F(PhotoCdReader, SaveOnAPhotoCdPhotoRunsSaveAs)
{
    registerFileCommands(m_app);
    m_host.photoCdChoices = { PhotoCdChoice { 0, 0 } };
    Document* document = openPhoto(m_app, file("land.pcd"));
    ASSERT_NE(document, nullptr);
    const auto target = (m_work / "copy.bmp").string();
    FileChoice choice;
    choice.paths = { target };
    choice.filterIndex = 0; // BMP
    m_host.saveChoices = { choice };
    m_app.execute(command::Save);
    EXPECT_TRUE(m_host.saveChoices.empty()); // the Save As dialog was shown
    EXPECT_TRUE(std::filesystem::exists(target));
}

} // namespace
