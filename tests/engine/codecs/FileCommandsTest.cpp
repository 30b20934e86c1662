#include "app/OpenPhoto.h"
#include "codecs/SafeSave.h"
#include "app/SaveCommands.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "codecs/BmpReader.h"
#include "codecs/BmpWriter.h"
#include "image/ImageType.h"
#include "app/App.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace gp;
using namespace gp::test;

namespace {

struct FileCommands : ::testing::Test {
    TempDir dir;
    FakeHost host;
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };

    std::string path(const std::string& name) const { return (dir / name).string(); }

    // A small 8-bit grayscale bitmap file with a known pixel.
    std::string writeGrayBmp(const std::string& name)
    {
        Image image = std::move(Image::create(4, 3, 8)).value();
        for (int i = 0; i < 256; ++i)
            image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
        image.row(0)[0] = 200;
        EXPECT_EQ(writeBmpFile(path(name), image), WriteResult::Written);
        return path(name);
    }

    Document* newPicture(const std::string& title, int width = 40, int height = 30)
    {
        Image image = std::move(Image::create(width, height, 24)).value();
        for (auto& b : image.pixels())
            b = std::uint8_t(&b - image.pixels().data());
        app.currentName() = title;
        return app.newDocument(std::move(image));
    }
};

} // namespace

TEST_F(FileCommands, GrayFileOpensAsA24BitDocumentAndIsRecorded)
{
    Document* document = openPhoto(app, writeGrayBmp("gray.bmp"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->title(), path("gray.bmp"));
    EXPECT_EQ(imageTypeOf(&document->image()), ImageType::Rgb24);
    const std::uint8_t* top = document->image().row(0);
    EXPECT_EQ(top[0], 200);
    EXPECT_EQ(top[1], 200);
    EXPECT_EQ(top[2], 200);
    EXPECT_EQ(app.recentFiles().file(1), path("gray.bmp"));
    EXPECT_EQ(app.recentFiles().lastDirectory(), dir.path().string());
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(FileCommands, AlreadyOpenFileAsksAndOpensASecondCopyAsDuplicated)
{
    const std::string name = writeGrayBmp("a.bmp");
    ASSERT_NE(openPhoto(app, name), nullptr);
    EXPECT_EQ(openPhoto(app, name), nullptr); // the safe answer is No
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "This file is already opened. Open as an Untitled document?");
    EXPECT_EQ(host.questions[0].caption, "Glimmerpress");
    host.answers.push_back(Answer::Yes);
    Document* copy = openPhoto(app, name);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->title(), "Untitled-Duplicated-00");
    EXPECT_EQ(app.documents().count(), 2u);
}

TEST_F(FileCommands, RefusedNamesAndUnreadableFilesGetTheirMessages)
{
    writeGrayBmp("photo.xyz");
    EXPECT_EQ(openPhoto(app, path("photo.xyz")), nullptr);
    EXPECT_EQ(openPhoto(app, path("missing.jpg")), nullptr);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Unknown file format.");
    EXPECT_EQ(host.messages[1].text, "The file:\n" + path("missing.jpg") + "\nis not found.");
    EXPECT_EQ(host.messages[1].caption, "Warning");
    EXPECT_EQ(app.documents().count(), 0u);
}

TEST_F(FileCommands, PictureWithoutThreefoldHeadroomIsDropped)
{
    const std::string name = writeGrayBmp("g.bmp");
    app.allocator().setCeiling(1200); // the 24-bit document fits, three copies do not
    EXPECT_EQ(openPhoto(app, name), nullptr);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
    EXPECT_EQ(app.documents().count(), 0u);
}

TEST_F(FileCommands, OpenDialogCompletesTheNameWithTheSelectedType)
{
    writeGrayBmp("shot.bmp");
    host.openChoices.push_back(FileChoice { { path("shot") }, 1, {}, {} }); // filter "*.BMP"
    EXPECT_EQ(app.execute(command::Open), 0);
    ASSERT_NE(app.activeDocument(), nullptr);
    EXPECT_EQ(app.activeDocument()->title(), path("shot.bmp"));
    EXPECT_EQ(app.saveOptions().openFilter, 2);
    EXPECT_TRUE(lacksExtension("c:\\photos.d\\beach"));
    EXPECT_FALSE(lacksExtension("beach.tif"));
    EXPECT_EQ(backupNameOf("/photos/beach.jpg"), "/photos/beach.&#!");
    EXPECT_EQ(backupNameOf("/photos.d/beach"), "/photos.d/beach.&#!");
}

TEST_F(FileCommands, SaveOfAnUntitledDocumentRunsSaveAsAndTheExtensionDecidesTheWriter)
{
    newPicture("Untitled-TrueColor-00");
    host.saveChoices.push_back(FileChoice { { path("beach") }, 5, {}, 40 }); // "*.JPG" with quality 40
    EXPECT_EQ(app.execute(command::Save), command::ResultSaved);
    EXPECT_TRUE(std::filesystem::exists(dir / "beach.jpg"));
    EXPECT_EQ(app.activeDocument()->title(), path("beach.jpg"));
    EXPECT_FALSE(app.activeDocument()->state().modified);
    EXPECT_EQ(app.saveOptions().saveType, 6);
    EXPECT_EQ(app.saveOptions().quality, 40);
    EXPECT_EQ(app.saveOptions().lastSaveDirectory, dir.path().string());

    host.saveChoices.push_back(FileChoice { { path("beach.bmp") }, 5, {}, {} });
    EXPECT_EQ(app.execute(command::SaveAs), command::ResultSaved);
    ReadResult bmp = readBmpFile(path("beach.bmp"), app.allocator());
    ASSERT_TRUE(bmp.ok());
    EXPECT_TRUE(std::ranges::equal(bmp.image->pixels(), app.activeDocument()->image().pixels()));
    EXPECT_FALSE(std::filesystem::exists(dir / "beach.&#!"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileCommands, SaveOverAnExistingFileReplacesItAndLeavesNoBackup)
{
    Document* document = newPicture(path("keep.bmp"));
    writeFile(dir / "keep.bmp", "old contents");
    EXPECT_EQ(app.execute(command::Save), command::ResultSaved);
    EXPECT_EQ(readFile(dir / "keep.bmp").size(), 14u + 40u + document->image().imageSize());
    EXPECT_FALSE(std::filesystem::exists(dir / "keep.&#!"));

    newPicture(path("scan.pcd"));
    EXPECT_EQ(app.execute(command::Save), command::ResultNone); // Save As, cancelled
    EXPECT_FALSE(std::filesystem::exists(dir / "scan.pcd"));
}

TEST_F(FileCommands, FailedWriteLeavesTheEarlierFileUnchangedAndNoBackup)
{
    newPicture(path("photo.bmp"), 200, 100);
    const std::string earlier(3000, 'e');
    writeFile(dir / "photo.bmp", earlier);
    {
        FileSizeLimit full(4096);
        EXPECT_EQ(app.execute(command::Save), command::ResultNone);
    }
    EXPECT_EQ(readFile(dir / "photo.bmp"), earlier);
    EXPECT_FALSE(std::filesystem::exists(dir / "photo.&#!"));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Insufficient disk space for backup file! Continue to save?");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Insufficient disk space or disk error.");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(FileCommands, FailedFirstSaveLeavesNothingBehind)
{
    Document* document = newPicture(path("new.bmp"), 200, 100);
    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(saveDocumentWithBackup(app, *document));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "new.bmp"));
    EXPECT_TRUE(host.questions.empty()); // no backup, so no question
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Insufficient disk space or disk error.");

    std::string unknown = path("new.xyz");
    EXPECT_FALSE(saveImageWithBackup(app.imageFiles(), document->image(), unknown));
    EXPECT_EQ(host.messages.back().text, "Unknown file format.");
    std::string bare = path("bare");
    app.saveOptions().saveType = 1;
    EXPECT_TRUE(saveImageWithBackup(app.imageFiles(), document->image(), bare));
    EXPECT_EQ(bare, path("bare.bmp"));
}

TEST_F(FileCommands, SaveWithoutADocumentBeeps)
{
    EXPECT_EQ(app.execute(command::Save), command::ResultNone);
    EXPECT_EQ(app.execute(command::SaveAs), command::ResultNone);
    EXPECT_EQ(host.beeps, 2);
}
