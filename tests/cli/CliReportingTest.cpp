// The tool as a batch script sees it: a quiet stderr on success, JSON errors with --json, the
// Mode menu's conversions and the zoom commands of a document window.

#include "CliRun.h"
#include "TempDir.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace gp;
using namespace gp::test;

namespace {

std::string fixture(const std::string& name)
{
    return (std::filesystem::path(GLIMMER_SOURCE_DIR) / "tests/fixtures/bmp/g" / name).string();
}

Image readBmp(const std::filesystem::path& path)
{
    const std::string bytes = readFile(path);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return Image::fromPacked(std::span<const std::uint8_t>(data + 14, bytes.size() - 14)).value();
}

class CliReporting : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path err() const { return dir / "err"; }
    std::string stderrText() const { return readFile(err()); }
};

} // namespace

TEST_F(CliReporting, SuccessfulRunsWriteNothingOnStderrEvenWithoutARuntimeFolder)
{
    // Without XDG_RUNTIME_DIR Qt would warn on every start.
    const CliRun run = cli("info " + fixture("rgb24.bmp"), err()); // the test's own environment
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(stderrText(), "");
    const std::string bare = "env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM " + std::string(GLIMMER_CLI) + " info "
        + fixture("pal8.bmp") + " >/dev/null 2>" + err().string();
    EXPECT_EQ(std::system(bare.c_str()), 0);
    EXPECT_EQ(stderrText(), "");
    EXPECT_EQ(cli("--json info " + fixture("rgb24.bmp"), err()).status, 0);
    EXPECT_EQ(stderrText(), "");
}

TEST_F(CliReporting, JsonErrorsTellARefusedFileFromAUsageError)
{
    writeFile(dir / "broken.bmp", "BM not a bitmap");
    const CliRun refused = cli("--json info " + (dir / "broken.bmp").string(), err());
    EXPECT_EQ(refused.status, 1);
    std::string text = stderrText();
    EXPECT_TRUE(text.starts_with("{\"error\":\"")) << text;
    EXPECT_NE(text.find("\"status\":1"), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one object on one line: " << text;

    const CliRun usage = cli("--json edit " + fixture("rgb24.bmp"), err());
    EXPECT_EQ(usage.status, 2);
    text = stderrText();
    EXPECT_TRUE(text.starts_with("{\"error\":\"usage: glimmerpress-cli edit")) << text;
    EXPECT_NE(text.find("\"status\":2"), std::string::npos) << text;

    EXPECT_EQ(cli("--json no-such-command", err()).status, 2);
    EXPECT_NE(stderrText().find("\"status\":2"), std::string::npos);
    // Without --json the same failure is the plain message line.
    EXPECT_EQ(cli("info " + (dir / "broken.bmp").string(), err()).status, 1);
    EXPECT_EQ(stderrText().find('{'), std::string::npos);
}

TEST_F(CliReporting, ModeOpsConvertIntoANewDocument)
{
    const CliRun gray = cli("edit " + fixture("rgb24.bmp") + " " + (dir / "gray.bmp").string() + " mode:gray --state");
    ASSERT_EQ(gray.status, 0);
    EXPECT_NE(gray.out.find("\"title\":\"Untitled-Grayscale-00\""), std::string::npos) << gray.out;
    const Image grayImage = readBmp(dir / "gray.bmp");
    for (int y = 0; y < grayImage.height(); y += 7)
        for (int x = 0; x < grayImage.width(); x += 5) {
            const std::uint8_t* p = grayImage.row(y) + 3 * x;
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << x << "," << y;
        }

    ASSERT_EQ(cli("edit " + fixture("rgb24.bmp") + " " + (dir / "bw.bmp").string() + " mode:bw").status, 0);
    const Image bw = readBmp(dir / "bw.bmp");
    for (int x = 0; x < bw.width(); ++x)
        ASSERT_TRUE(bw.row(bw.height() / 2)[3 * x] == 0 || bw.row(bw.height() / 2)[3 * x] == 255);

    // A 24-bit document has no conversion to 24 bits: the menu item does nothing.
    const CliRun same = cli("edit " + fixture("rgb24.bmp") + " - mode:24 --state");
    EXPECT_EQ(same.status, 0);
    EXPECT_NE(same.out.find("\"title\":\"" + fixture("rgb24.bmp")), std::string::npos) << same.out;
    // An indexed picture as read widens into a new true-colour document.
    const CliRun widened = cli("edit " + fixture("pal8.bmp") + " - --raw mode:24 --state");
    EXPECT_NE(widened.out.find("\"title\":\"Untitled-TrueColor"), std::string::npos) << widened.out;
    EXPECT_EQ(cli("edit " + fixture("rgb24.bmp") + " - mode:12").status, 2);
}

TEST_F(CliReporting, ZoomCommandsFollowTheWindowAndBeepAtTheirLimits)
{
    // 127 x 64 in a 300 x 200 window: 2:1 is the largest fit (step 1).
    const CliRun fit = cli("edit " + fixture("rgb24.bmp") + " - --window 300,200 cmd:206 cmd:234 --state", err());
    EXPECT_NE(fit.out.find("\"zoom\":1,"), std::string::npos) << fit.out;
    EXPECT_EQ(stderrText(), "");
    // A window smaller than the picture reduces it: 1:3 fits 127 into 50.
    const CliRun reduced = cli("edit " + fixture("rgb24.bmp") + " - --window 50,50 cmd:234 --state");
    EXPECT_NE(reduced.out.find("\"zoom\":-2,"), std::string::npos) << reduced.out;

    const CliRun step = cli("edit " + fixture("rgb24.bmp") + " - cmd:206 cmd:233 --state", err());
    EXPECT_NE(step.out.find("\"zoom\":5,"), std::string::npos) << step.out;
    EXPECT_EQ(stderrText(), "");
    // Zooming in past 16:1, or choosing the step already shown, beeps and changes nothing.
    const CliRun limit = cli("edit " + fixture("rgb24.bmp") + " - cmd:215 cmd:232 cmd:215 --state", err());
    EXPECT_NE(limit.out.find("\"zoom\":15,"), std::string::npos) << limit.out;
    EXPECT_EQ(stderrText(), "Beep\nBeep\n");
}

// The photo program must not load the GUI toolkit or the HEIF library at start (they would add
// about 15 MiB to every photo command); the commands it cannot run reach the GUI program with
// their arguments and report as that program does, and a missing GUI program is said so.
TEST_F(CliReporting, PhotoCommandsRunWithoutTheGuiToolkitAndTheOthersAreHandedOver)
{
    if (std::system("command -v readelf >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "readelf is not installed";
    const std::string needed = "readelf -d " + std::string(GLIMMER_CLI) + " > " + (dir / "needed").string();
    ASSERT_EQ(std::system(needed.c_str()), 0);
    const std::string libraries = readFile(dir / "needed");
    EXPECT_NE(libraries.find("libjpeg"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("libQt6"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("libheif"), std::string::npos) << libraries;

    // A GUI command's usage error comes back as JSON from the GUI program.
    EXPECT_EQ(cli("--json print", err()).status, 2);
    const std::string text = stderrText();
    EXPECT_TRUE(text.starts_with("{\"error\":\"usage: glimmerpress-cli print")) << text;

    // Alone in a folder the photo program still runs its own commands but cannot hand over.
    const std::filesystem::path alone = dir / "glimmerpress-cli";
    std::filesystem::copy_file(GLIMMER_CLI, alone);
    const std::string own = alone.string() + " info " + fixture("rgb24.bmp") + " >/dev/null 2>" + err().string();
    EXPECT_EQ(std::system(own.c_str()), 0);
    const std::string other = alone.string() + " frames >/dev/null 2>" + err().string();
    const int status = std::system(other.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_NE(stderrText().find("cannot start"), std::string::npos) << stderrText();
}
