// The acquisition client with the real source manager library, scanning from SANE's test
// backend without the source's dialog (the program's event loop is a poll here), compared with
// what scanimage delivers from the same device and settings.

#include "ExternalTools.h"
#include "FakeHost.h"
#include "SaneTestDevice.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "app/App.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

Paths pathsIn(const test::TempDir& dir, const std::filesystem::path& libraryDir)
{
    Paths p;
    p.settingsDir = dir.path();
    p.programDir = dir / "program";
    p.dataDir = dir / "data";
    p.libraryDir = libraryDir;
    return p;
}

// The program's message loop while a source is open, as a poll.
void runEventLoop(Acquisition& acquisition)
{
    for (int round = 0; round < 100 && acquisition.sourceOpen() && acquisition.transferState() != 0; ++round)
        if (!acquisition.filterEvent(nullptr) && acquisition.sourceOpen())
            break;
}

// The 24-bit document pixel a reference pixel becomes.
Rgbq expectedPixel(const test::Pnm& reference, int x, int y)
{
    const std::uint8_t* row = reference.row(y);
    switch (reference.kind) {
    case '4': {
        const bool black = (row[x / 8] >> (7 - x % 8)) & 1;
        const std::uint8_t v = black ? 0 : 255;
        return Rgbq { v, v, v, 0 };
    }
    case '5': return Rgbq { row[x], row[x], row[x], 0 };
    default: return Rgbq { row[3 * x + 2], row[3 * x + 1], row[3 * x], 0 };
    }
}

void expectSamePixels(const Image& image, const test::Pnm& reference)
{
    ASSERT_EQ(image.width(), reference.width);
    ASSERT_EQ(image.height(), reference.height);
    ASSERT_EQ(image.bitsPerPixel(), 24);
    int differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x) {
            const Rgbq want = expectedPixel(reference, x, y);
            differing += row[3 * x] != want.blue || row[3 * x + 1] != want.green || row[3 * x + 2] != want.red;
        }
    }
    EXPECT_EQ(differing, 0);
}

class AcquisitionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_config.emplace("XDG_CONFIG_HOME", m_dir.path().c_str());
        m_app.emplace(m_host, pathsIn(m_dir, GLIMMER_BUILD_LIBDIR));
    }

    Acquisition& acquisition() { return m_app->acquisition(); }

    test::TempDir m_dir;
    std::optional<test::ScopedEnv> m_config;
    test::FakeHost m_host;
    std::optional<App> m_app;
};

// The tests that scan from SANE's test backend.
class ScanTest : public AcquisitionTest {
protected:
    void SetUp() override
    {
        const std::string missing = test::saneTestBackendMissing();
        GLIMMER_REQUIRE(missing.empty(), missing);
        test::useSaneSettings({});
        AcquisitionTest::SetUp();
    }
};

} // namespace

TEST_F(AcquisitionTest, AMissingManagerLibraryShowsItsMessageAndNothingElse)
{
    test::TempDir emptyLibraries;
    test::FakeHost host;
    App app(host, pathsIn(m_dir, emptyLibraries.path()));
    app.execute(command::Acquire);
    app.execute(command::SelectSource);
    ASSERT_EQ(host.messages.size(), 2u);
    for (const auto& box : host.messages) {
        EXPECT_EQ(box.caption, "Warning");
        EXPECT_EQ(
            box.text, "Could not find TWAIN.DLL.  Please copy it from your Program Disk to your Windows directory.");
        EXPECT_EQ(box.icon, Icon::Warning);
    }
    EXPECT_EQ(host.frameDisables, 0);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(app.documents().count(), 0u);
    EXPECT_FALSE(app.acquisition().managerOpen());
}

TEST_F(ScanTest, NativeScansBecomeUntitledAcquiredDocuments)
{
    struct Case {
        std::vector<std::string> settings;
        const char* scanimageOptions;
    };
    const Case cases[] = {
        { { "mode Gray", "depth 8" }, "-d test:0" },
        { { "mode Color", "depth 8" }, "-d test:0" },
        { { "mode Gray", "depth 16" }, "-d test:0" },
        { { "mode Color", "depth 8", "three-pass true" }, "-d test:0" },
    };
    int scans = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings.back());
        test::useSaneSettings(c.settings);
        const auto reference = test::scanimage(c.scanimageOptions);
        ASSERT_TRUE(reference);
        acquisition().setShowUserInterface(false);
        acquisition().acquire();
        ASSERT_TRUE(acquisition().sourceOpen());
        EXPECT_FALSE(m_host.frameEnabled);
        runEventLoop(acquisition());

        ASSERT_EQ(m_app->documents().count(), std::size_t(++scans));
        const Document* document = m_app->activeDocument();
        EXPECT_EQ(document->title(), "Untitled-Acquired-0" + std::to_string(scans - 1));
        expectSamePixels(document->image(), *reference);
        EXPECT_EQ(document->image().xPelsPerMeter(), 1968) << "50 dpi";
        // One batch, then the link is closed and the frame is back.
        EXPECT_FALSE(acquisition().sourceOpen());
        EXPECT_FALSE(acquisition().managerOpen());
        EXPECT_TRUE(m_host.frameEnabled);
    }
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(ScanTest, MemoryScansAssembleTheStripsWithResolutionAndColourTable)
{
    acquisition().setShowUserInterface(false);
    acquisition().setMemoryScan(true);
    {
        test::useSaneSettings({ "mode Color", "depth 8", "resolution 100" });
        const auto reference = test::scanimage("-d test:0");
        ASSERT_TRUE(reference);
        acquisition().acquire();
        runEventLoop(acquisition());
        ASSERT_EQ(m_app->documents().count(), 1u);
        expectSamePixels(m_app->activeDocument()->image(), *reference);
        EXPECT_EQ(m_app->activeDocument()->image().xPelsPerMeter(), 3937) << "100 dpi in inch units";
        EXPECT_EQ(m_app->activeDocument()->image().yPelsPerMeter(), 3937);
    }
    {
        // One-bit scans mark black with a set bit: the source's flavour makes 0 white.
        test::useSaneSettings({ "mode Gray", "depth 1" });
        const auto reference = test::scanimage("-d test:0");
        ASSERT_TRUE(reference);
        ASSERT_EQ(reference->kind, '4');
        acquisition().acquire();
        runEventLoop(acquisition());
        ASSERT_EQ(m_app->documents().count(), 2u);
        expectSamePixels(m_app->activeDocument()->image(), *reference);
    }
    EXPECT_FALSE(acquisition().sourceOpen());
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(ScanTest, MultiScanKeepsTheSourceEnabledAfterABatch)
{
    acquisition().setShowUserInterface(false);
    acquisition().setMultiScan(true);
    acquisition().acquire();
    ASSERT_TRUE(acquisition().filterEvent(nullptr)) << "the transfer-ready message belongs to the source";
    EXPECT_EQ(m_app->documents().count(), 1u);
    EXPECT_TRUE(acquisition().sourceOpen());
    EXPECT_EQ(acquisition().transferState(), 3);
    EXPECT_FALSE(m_host.frameEnabled);
    EXPECT_FALSE(acquisition().filterEvent(nullptr)) << "nothing more until the next scan";
    m_app->execute(command::SelectSource);
    m_app->execute(command::Acquire);
    EXPECT_TRUE(acquisition().sourceOpen()) << "the source's choice and link stay while it is open";
    EXPECT_EQ(m_host.frameDisables, 1);
    acquisition().closeLink();
    EXPECT_FALSE(acquisition().sourceOpen());
    EXPECT_FALSE(acquisition().managerOpen());
    EXPECT_TRUE(m_host.frameEnabled);
}

TEST_F(ScanTest, AcquireOffersToSaveTheActivePhotoAndClearsItsModifiedFlag)
{
    int saves = 0;
    m_app->commands().set(command::Save, [&](std::string_view) {
        ++saves;
        return command::ResultSaved;
    });
    m_app->currentName() = (m_dir / "photo.bmp").string();
    Document* photo = m_app->newDocument(std::move(Image::create(4, 4, 24)).value());
    photo->state().modified = true;
    m_host.answers = { Answer::No };
    acquisition().setShowUserInterface(false);
    m_app->execute(command::Acquire);
    ASSERT_EQ(m_host.questions.size(), 1u);
    EXPECT_EQ(m_host.questions[0].text, "The File: " + photo->title() + "\nhas been modified. Save it?");
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(photo->state().modified);
    runEventLoop(acquisition());
    EXPECT_EQ(m_app->documents().count(), 2u);
}

TEST_F(ScanTest, FailuresCloseTheLinkSilently)
{
    acquisition().setShowUserInterface(false);
    acquisition().setSourceName("nosuchbackend:7");
    acquisition().acquire();
    EXPECT_FALSE(acquisition().sourceOpen());
    EXPECT_FALSE(acquisition().managerOpen());
    EXPECT_EQ(m_host.frameDisables, 0);

    // Choosing a source needs the manager's dialog, which a program without widgets cannot show.
    acquisition().setSourceName("");
    m_app->execute(command::SelectSource);
    EXPECT_EQ(acquisition().sourceId(), 0u);
    EXPECT_FALSE(acquisition().managerOpen());
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_EQ(m_app->documents().count(), 0u);
}
