#include "app/App.h"
#include "shell/CommandIds.h"

#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

Paths pathsIn(const test::TempDir& dir)
{
    Paths p;
    p.settingsDir = dir.path();
    p.programDir = dir / "program";
    p.dataDir = dir / "data";
    p.libraryDir = dir / "lib";
    return p;
}

Image rgb(int w, int h) { return std::move(Image::create(w, h, 24)).value(); }

} // namespace

TEST(App, ReadsSettingsAndWritesTheShutdownSubset)
{
    test::TempDir dir;
    test::writeFile(dir / "GLMPRESS.INI", "[USER]\nGammaR=0\nActG=7\nFile2=c:\\b.bmp\nLastDir=c:\\\n");
    test::FakeHost host;
    App app(host, pathsIn(dir));
    EXPECT_TRUE(app.settingsFileExists());
    app.readSettings();
    EXPECT_EQ(app.settings().active.green, 7);
    EXPECT_EQ(app.gammaTables()[0][128], 0);
    EXPECT_EQ(app.recentFiles().file(2), "c:\\b.bmp");
    app.recentFiles().add("c:\\new.bmp");
    ASSERT_TRUE(app.writeSettings());
    ProfileFile back(dir / "GLMPRESS.INI");
    EXPECT_EQ(back.readString("USER", "File1", ""), "c:\\new.bmp");
    EXPECT_EQ(back.readString("USER", "File3", ""), "c:\\b.bmp");
    EXPECT_EQ(back.readInt("USER", "GammaR", 5), 0) << "keys not written at shut-down stay as they were";
}

TEST(App, DecimalSeparatorComesFromWinIni)
{
    test::TempDir dir;
    test::FakeHost host;
    App app(host, pathsIn(dir));
    EXPECT_EQ(app.formatDecimal(2.345, 2), "2.35");
    test::writeFile(dir / "win.ini", "[intl]\nsDecimal=,;\n");
    EXPECT_EQ(app.formatDecimal(2.345, 2), "2,35");
}

TEST(App, DispatchGatesByImageTypeAndKeepsTheModifiedFlag)
{
    test::TempDir dir;
    test::FakeHost host;
    App app(host, pathsIn(dir));
    int runs = 0;
    app.commands().set(command::BrightnessContrast, [&](std::string_view) { ++runs; return command::ResultChanged; },
                       {ImageType::Gray8, ImageType::Rgb24, ImageType::Indexed8, ImageType::Indexed4});
    app.commands().set(command::ToTrueColor, [&](std::string_view) { ++runs; return 0; },
                       {ImageType::Gray8, ImageType::Indexed8}, GateFailure::Silent);
    app.commands().set(command::Save, [](std::string_view) { return command::ResultSaved; });

    app.execute(command::BrightnessContrast);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(host.beeps, 1) << "no document: the gate refuses with a beep";

    app.currentName() = "c:\\a.bmp";
    Document* doc = app.newDocument(rgb(4, 4));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(app.execute(command::BrightnessContrast), command::ResultChanged);
    EXPECT_TRUE(doc->state().modified);
    app.execute(command::ToTrueColor);
    EXPECT_EQ(host.beeps, 1) << "conversions refuse silently";
    app.execute(command::Save);
    EXPECT_FALSE(doc->state().modified);
    EXPECT_EQ(runs, 1);
}

TEST(App, FileNotFoundWarningNamesTheCurrentFile)
{
    test::TempDir dir;
    test::FakeHost host;
    App app(host, pathsIn(dir));
    app.currentName() = "c:\\gone.bmp";
    app.warnFileNotFound();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Warning");
    EXPECT_EQ(host.messages[0].text, "The file:\nc:\\gone.bmp\nis not found.");
    app.setFileWarnings(false);
    app.warnFileNotFound();
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(App, NewDocumentsFillThePhotoSlotsAndAPushedOutPhotoClosesItsDocument)
{
    test::TempDir dir;
    test::FakeHost host;
    App app(host, pathsIn(dir));
    Document* first = app.newDocument(rgb(2, 2));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(app.layoutPage().photo(0), first->state().image);
    const Image* firstImage = first->state().image.get();
    for (int i = 1; i < LayoutPage::kSlots; ++i)
        ASSERT_NE(app.newDocument(rgb(2, 2)), nullptr);
    EXPECT_EQ(app.documents().count(), 100u);
    // The current cell has wrapped to 0: the next photo pushes the first one off the page.
    ASSERT_NE(app.newDocument(rgb(3, 3)), nullptr);
    EXPECT_EQ(app.documents().count(), 100u);
    EXPECT_EQ(app.documents().findByImage(firstImage), nullptr);
}

TEST(App, AnEditShowsInThePhotoSlotThatSharesTheImage)
{
    test::TempDir dir;
    test::FakeHost host;
    App app(host, pathsIn(dir));
    Document* doc = app.newDocument(rgb(2, 2));
    app.commands().set(command::FlipHorizontal, [&](std::string_view) {
        doc->replaceImage(std::make_shared<Image>(rgb(5, 7)));
        return command::ResultChanged;
    });
    app.execute(command::FlipHorizontal);
    EXPECT_EQ(app.layoutPage().photo(0), doc->state().image);
    EXPECT_EQ(app.layoutPage().photo(0)->width(), 5);
}
