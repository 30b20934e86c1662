// Runs glimmerpress-cli edit as a script would and checks the saved pictures and the state.

#include "CliRun.h"
#include "TempDir.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

using namespace gp;
using namespace gp::test;

namespace {

std::string fixture(const std::string& name)
{
    return (std::filesystem::path(GLIMMER_SOURCE_DIR) / "tests/fixtures/bmp/g" / name).string();
}

// A BMP file is a 14-byte file header followed by the packed bitmap.
Image readBmp(const std::filesystem::path& path)
{
    const std::string bytes = readFile(path);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return Image::fromPacked(std::span<const std::uint8_t>(data + 14, bytes.size() - 14)).value();
}

class CliEdit : public ::testing::Test {
protected:
    TempDir dir;
    std::string out(const std::string& name) const { return (dir / name).string(); }
};

} // namespace

TEST_F(CliEdit, InverseOpsGiveThePictureBackExactly)
{
    ASSERT_EQ(cli("convert " + fixture("rgb24.bmp") + " " + out("plain.bmp")).status, 0);
    ASSERT_EQ(cli("edit " + fixture("rgb24.bmp") + " " + out("flips.bmp") + " flip-h flip-v flip-h flip-v").status, 0);
    ASSERT_EQ(cli("edit " + fixture("rgb24.bmp") + " " + out("turns.bmp") + " rotate:90 rotate:270").status, 0);
    const std::string plain = readFile(dir / "plain.bmp");
    EXPECT_EQ(readFile(dir / "flips.bmp"), plain);
    EXPECT_EQ(readFile(dir / "turns.bmp"), plain);

    const CliRun turned = cli("edit " + fixture("rgb24.bmp") + " " + out("right.bmp") + " rotate:90 --state");
    EXPECT_EQ(turned.status, 0);
    EXPECT_NE(turned.out.find("\"width\":64, \"height\":127, \"type\":2"), std::string::npos) << turned.out;
    EXPECT_NE(turned.out.find("\"modified\":1"), std::string::npos);
    EXPECT_NE(turned.out.find("\"undo\":1015"), std::string::npos);
    const Image original = readBmp(dir / "plain.bmp");
    const Image right = readBmp(dir / "right.bmp");
    // The top-left pixel of the turned picture is the bottom-left one of the original.
    EXPECT_TRUE(std::equal(right.row(0), right.row(0) + 3, original.row(original.height() - 1)));
}

TEST_F(CliEdit, EllipseCropFillsTheCornersWithTheActiveColour)
{
    const CliRun run = cli("edit " + fixture("rgb24.bmp") + " " + out("crop.bmp")
        + " --active 255,0,0 --select 10,5,50,35,ellipse crop --state");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"width\":40, \"height\":30"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"selection\":null"), std::string::npos);
    EXPECT_NE(run.out.find("\"undo\":11005"), std::string::npos);
    const Image cropped = readBmp(dir / "crop.bmp");
    const std::uint8_t* corner = cropped.row(0);
    EXPECT_EQ(corner[0], 0);
    EXPECT_EQ(corner[1], 0);
    EXPECT_EQ(corner[2], 255);
}

TEST_F(CliEdit, SelectionTurnsReportTheirRectangleAndUndo)
{
    const CliRun run = cli("edit " + fixture("rgb24.bmp") + " - --select 10,10,30,20 rotate:90 --state");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"selection\":[15,5,25,25], \"floating\":true, \"undo\":4015"), std::string::npos)
        << run.out;
    const CliRun undone = cli("edit " + fixture("rgb24.bmp") + " - --select 10,10,30,20 rotate:90 undo --state");
    EXPECT_NE(undone.out.find("\"selection\":[10,10,30,20]"), std::string::npos) << undone.out;
    EXPECT_NE(undone.out.find("\"undo\":-4015"), std::string::npos);
}

TEST_F(CliEdit, ResampleMakesANewDocumentOrChangesOnlyTheResolution)
{
    const CliRun made = cli("edit " + fixture("rgb24.bmp") + " " + out("small.bmp") + " resample:50:25:72 --state");
    EXPECT_EQ(made.status, 0);
    EXPECT_NE(made.out.find("\"title\":\"Untitled-Resampled-00\", \"width\":50, \"height\":25"), std::string::npos)
        << made.out;
    EXPECT_EQ(readBmp(dir / "small.bmp").xPelsPerMeter(), 2835);

    const CliRun same
        = cli("--yes edit " + fixture("rgb24.bmp") + " " + out("res.bmp") + " resample:127:64:300 --state");
    EXPECT_NE(same.out.find("\"title\":\"" + fixture("rgb24.bmp")), std::string::npos) << same.out;
    const Image resolution = readBmp(dir / "res.bmp");
    EXPECT_EQ(resolution.width(), 127);
    EXPECT_EQ(resolution.xPelsPerMeter(), 11811);

    // Nothing changed: OK is refused with a beep.
    cli("edit " + fixture("rgb24.bmp") + " - resample:127:64:72", dir / "err");
    EXPECT_NE(readFile(dir / "err").find("Beep"), std::string::npos);
}

TEST_F(CliEdit, RawIndexedPicturesStayIndexed)
{
    const CliRun run = cli("edit " + fixture("pal8.bmp") + " " + out("pal.bmp") + " --raw rotate:33 flip-h --state");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"type\":3"), std::string::npos) << run.out;
    EXPECT_EQ(readBmp(dir / "pal.bmp").bitsPerPixel(), 8);
    // A resampled picture opens as a new document, and every new document holds 24 bits.
    const CliRun resampled = cli("edit " + fixture("pal8.bmp") + " - --raw resample:40:40:96 --state");
    EXPECT_NE(resampled.out.find("\"width\":40, \"height\":40, \"type\":2"), std::string::npos) << resampled.out;
}

TEST_F(CliEdit, ClipboardOpsWorkWithinOneRun)
{
    const CliRun run = cli("edit " + fixture("rgb24.bmp") + " " + out("dup.bmp")
        + " --select 0,0,20,10,ellipse --active 0,255,0 copy paste-new --state");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"title\":\"Untitled-Duplicated-00\", \"width\":20, \"height\":10"), std::string::npos)
        << run.out;
    const Image duplicate = readBmp(dir / "dup.bmp");
    EXPECT_EQ(duplicate.row(0)[1], 255);

    const CliRun pasted = cli("edit " + fixture("rgb24.bmp") + " - copy paste --state");
    EXPECT_NE(pasted.out.find("\"selection\":[0,0,127,64], \"floating\":true, \"undo\":4003"), std::string::npos)
        << pasted.out;
}

TEST_F(CliEdit, BadOpsAreUsageErrorsAndUnreadableFilesFail)
{
    EXPECT_EQ(cli("edit " + fixture("rgb24.bmp") + " - rotate:x").status, 2);
    EXPECT_EQ(cli("edit " + fixture("rgb24.bmp") + " - spin").status, 2);
    EXPECT_EQ(cli("edit " + fixture("rgb24.bmp") + " - flip-h:1").status, 2);
    EXPECT_EQ(cli("edit " + fixture("rgb24.bmp") + " - --select 5,5,1,1 crop").status, 2);
    EXPECT_EQ(cli("edit " + (dir / "missing.bmp").string() + " - flip-h").status, 1);
    const CliRun gated = cli("edit " + fixture("rgb24.bmp") + " - cmd:157 --state");
    EXPECT_NE(gated.out.find("\"undo\":1013"), std::string::npos);
}
