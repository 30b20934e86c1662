// Runs glimmerpress-cli scan and mail as a script would: a scan from SANE's test backend saved
// to a file and compared with scanimage, and a photo handed to a fake mail client.

#include "ExternalTools.h"
#include "FakeHost.h"
#include "FakeMailer.h"
#include "SaneTestDevice.h"
#include "TempDir.h"
#include "codecs/ReadImageFile.h"
#include "app/App.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

using namespace gp;

namespace {

// Runs the tool with a shell command line in a fresh settings folder; stderr goes to err.
int cli(const test::TempDir& dir, const std::string& arguments, const std::string& environment = {})
{
    test::writeFile(dir / "GLMPRESS.INI", "[USER]\n");
    // The tool's own leak checker (in the sanitizer build) lets the SANE test backend's leaks be.
    const std::string command = "LSAN_OPTIONS=suppressions=" + std::string(GLIMMER_SOURCE_DIR)
        + "/tests/support/sane-test-backend.supp " + environment + " " + std::string(GLIMMER_CLI) + " --settings-dir "
        + dir.path().string() + " " + arguments + " >/dev/null 2>" + (dir / "err").string();
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(CliScan, SavesTheScannedImageAsTheDocumentAcquireMakes)
{
    const std::string missing = test::saneTestBackendMissing();
        GLIMMER_REQUIRE(missing.empty(), missing);
    test::TempDir dir;
    test::ScopedEnv config("XDG_CONFIG_HOME", dir.path().c_str());
    const auto reference = test::scanimage("-d test:1 --mode Color");
    ASSERT_TRUE(reference);
    test::useSaneSettings({ "mode Color" });
    ASSERT_EQ(cli(dir, "scan --source test:1 " + (dir / "scan.bmp").string()), 0) << test::readFile(dir / "err");

    test::FakeHost host;
    Paths paths;
    paths.settingsDir = dir.path();
    App app(host, paths);
    const ReadResult read = readImageFile(app.imageFiles(), (dir / "scan.bmp").string());
    ASSERT_TRUE(read.ok());
    const Image& image = *read.image;
    ASSERT_EQ(image.width(), reference->width);
    ASSERT_EQ(image.height(), reference->height);
    ASSERT_EQ(image.bitsPerPixel(), 24);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_TRUE(image.row(y)[3 * x] == reference->row(y)[3 * x + 2]
                && image.row(y)[3 * x + 2] == reference->row(y)[3 * x])
                << "pixel " << x << "," << y;
}

TEST(CliScan, MissingLibraryAndBadArguments)
{
    test::TempDir dir;
    test::TempDir noLibraries;
    EXPECT_EQ(cli(dir, "scan " + (dir / "x.bmp").string(), "GLIMMERPRESS_LIBDIR=" + noLibraries.path().string()), 1);
    EXPECT_NE(test::readFile(dir / "err")
                  .find("Warning: Could not find TWAIN.DLL.  Please copy it from your Program "
                        "Disk to your Windows directory."),
        std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));
    EXPECT_EQ(cli(dir, "scan"), 2);
    EXPECT_EQ(cli(dir, "scan --source"), 2);
}

TEST(CliMail, HandsThePhotoToTheMailClient)
{
    GLIMMER_REQUIRE_TOOLS("xdg-email");
    test::TempDir dir;
    const auto photo = std::filesystem::path(GLIMMER_SOURCE_DIR) / "tests/fixtures/bmp/g/pal8.bmp";
    {
        test::FakeMailer mailer;
        ASSERT_EQ(cli(dir, "mail " + photo.string()), 0) << test::readFile(dir / "err");
        ASSERT_EQ(mailer.calls().size(), 1u);
        EXPECT_EQ(mailer.calls()[0], "mailto:?attach=" + photo.string());
    }
    {
        test::NoMailClient none;
        EXPECT_EQ(cli(dir, "mail " + photo.string()), 1);
        EXPECT_NE(test::readFile(dir / "err").find("no mail client"), std::string::npos);
    }
    EXPECT_EQ(cli(dir, "mail"), 2);
    EXPECT_EQ(cli(dir, "mail " + (dir / "none.bmp").string()), 1);
}
