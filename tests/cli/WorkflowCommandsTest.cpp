// Runs glimmerpress-cli crop, frame, frames, effect and effects as a script would and checks the
// saved pictures.

#include "CliRun.h"
#include "TempDir.h"
#include "codecs/BmpWriter.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

Image solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    return image;
}

class CliWorkflow : public ::testing::Test {
protected:
    TempDir dir;
    std::string out(const std::string& name) const { return (dir / name).string(); }

    // A 100 × 80 red frame whose 60 × 40 window (mask value m) sits 20 pixels in from the left and
    // the bottom, and a 200 × 100 blue photo.
    void makeFrame(std::uint8_t m)
    {
        ASSERT_EQ(writeBmpFile(out("frame.bmp"), solid(100, 80, 255, 0, 0)), WriteResult::Written);
        Image mask = Image::create(60, 40, 8, 256).value();
        for (int i = 0; i < 256; ++i)
            mask.setColor(i, { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
        std::ranges::fill(mask.pixels(), m);
        ASSERT_EQ(writeBmpFile(out("frame.msk"), mask), WriteResult::Written);
        std::ofstream(dir / "frame.off") << "20 20,";
        ASSERT_EQ(writeBmpFile(out("photo.bmp"), solid(200, 100, 0, 0, 255)), WriteResult::Written);
    }
};

} // namespace

TEST_F(CliWorkflow, CropTakesTheCellProportionAndCutsThePhoto)
{
    // The 127 × 64 photo is shown 600 × 302 at (0, 49); a 4 × 6 cell gives a 201-pixel-wide
    // rectangle, one pixel short of the photo's bottom.
    const CliRun run = cli("crop " + fixture("rgb24.bmp") + " " + out("crop.bmp") + " --cell 4,6 --state");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"rect\":[199,49,400,350]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"photo\":[42,0,85,64]"), std::string::npos) << run.out;
    ASSERT_EQ(cli("convert " + fixture("rgb24.bmp") + " " + out("plain.bmp")).status, 0);
    const Image plain = readBmp(dir / "plain.bmp");
    const Image cut = readBmp(dir / "crop.bmp");
    ASSERT_EQ(cut.width(), 43);
    ASSERT_EQ(cut.height(), 64);
    for (int y = 0; y < 64; y += 9)
        EXPECT_TRUE(std::equal(cut.row(y), cut.row(y) + 3 * 43, plain.row(y) + 3 * 42)) << y;

    // Free proportions: the left edge dragged all the way stops 40 pixels from the right one.
    const CliRun free = cli("crop " + fixture("rgb24.bmp") + " - --free --display 600,300 --drag 22:1000,0 --state");
    EXPECT_EQ(free.status, 0);
    EXPECT_NE(free.out.find("\"rect\":[559,0,599,299]"), std::string::npos) << free.out;
    // Too narrow a display for a 40-pixel rectangle: no result.
    EXPECT_EQ(cli("crop " + fixture("rgb24.bmp") + " " + out("none.bmp") + " --free --display 30,30").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.bmp"));
}

TEST_F(CliWorkflow, CropUsageErrors)
{
    const std::string photo = fixture("rgb24.bmp");
    EXPECT_EQ(cli("crop " + photo + " " + out("a.bmp")).status, 2);
    EXPECT_EQ(cli("crop " + photo + " " + out("a.bmp") + " --free --cell 4,6").status, 2);
    EXPECT_EQ(cli("crop " + photo + " " + out("a.bmp") + " --free --drag 26:1,1").status, 2);
    EXPECT_EQ(cli("crop " + photo + " " + out("a.bmp") + " --cell 0,6").status, 2);
    EXPECT_EQ(cli("crop --help").status, 0);
}

TEST_F(CliWorkflow, FramePutsThePhotoIntoTheWindowThroughTheMask)
{
    makeFrame(255);
    ASSERT_EQ(cli("frame " + out("photo.bmp") + " " + out("frame.bmp") + " " + out("framed.bmp")).status, 0);
    const Image framed = readBmp(dir / "framed.bmp");
    ASSERT_EQ(framed.width(), 100);
    ASSERT_EQ(framed.height(), 80);
    EXPECT_EQ(framed.row(40)[3 * 50], 255); // the blue photo in the window (rows 20..59)
    EXPECT_EQ(framed.row(40)[3 * 50 + 2], 0);
    EXPECT_EQ(framed.row(10)[3 * 50 + 2], 255); // the red frame above it
    EXPECT_EQ(framed.row(65)[3 * 50 + 2], 255); // and below it

    // The display shows the frame five times its size: 1000 display pixels to the right move the
    // photo 200 frame pixels, clear of the window.
    ASSERT_EQ(cli("frame " + out("photo.bmp") + " " + out("frame.bmp") + " " + out("moved.bmp") + " --log 0:1000").status, 0);
    EXPECT_EQ(readBmp(dir / "moved.bmp").row(40)[3 * 50 + 2], 255);

    EXPECT_EQ(cli("frame " + out("photo.bmp") + " " + out("frame.bmp") + " " + out("x.bmp") + " --log 4:1").status, 2);
}

TEST_F(CliWorkflow, HalfMaskBlendsEvenlyAndAFrameWithoutMaskIsRefused)
{
    makeFrame(127);
    ASSERT_EQ(cli("frame " + out("photo.bmp") + " " + out("frame.bmp") + " " + out("half.bmp")).status, 0);
    const Image half = readBmp(dir / "half.bmp");
    EXPECT_EQ(half.row(40)[3 * 50], 127);
    EXPECT_EQ(half.row(40)[3 * 50 + 2], 127);
    std::filesystem::remove(dir / "frame.msk");
    EXPECT_EQ(cli("frame " + out("photo.bmp") + " " + out("frame.bmp") + " " + out("none.bmp")).status, 1);
}

TEST_F(CliWorkflow, ShippedFramesAreListedWithTheirSizes)
{
    const CliRun run = cli("frames");
    ASSERT_EQ(run.status, 0);
    const auto lines = std::count(run.out.begin(), run.out.end(), '\n');
    EXPECT_GE(lines, 12);
    EXPECT_NE(run.out.find("\"name\":\"heart\""), std::string::npos);
    EXPECT_NE(run.out.find("heart.msk\", \"offsets\":"), std::string::npos);
    EXPECT_EQ(run.out.find("\"width\":null"), std::string::npos) << run.out;
}

TEST_F(CliWorkflow, EffectsAreListedAndAppliedWithTheScreensIntensityRules)
{
    const CliRun list = cli("effects");
    ASSERT_EQ(list.status, 0);
    EXPECT_GE(std::count(list.out.begin(), list.out.end(), '\n'), 16);
    EXPECT_NE(list.out.find("{\"number\":3, \"name\":\"Posterize\", \"step\":10, \"floor\":0}"), std::string::npos);
    EXPECT_NE(list.out.find("{\"number\":1, \"name\":\"Warm\", \"step\":1, \"floor\":1}"), std::string::npos);

    ASSERT_EQ(cli("effect " + fixture("rgb24.bmp") + " " + out("sepia.bmp") + " --effect Sepia --intensity 100").status, 0);
    const Image sepia = readBmp(dir / "sepia.bmp");
    EXPECT_EQ(sepia.width(), 127);
    for (int x = 0; x < 127; x += 7) {
        const std::uint8_t* p = sepia.row(30) + 3 * x;
        EXPECT_TRUE(p[2] >= p[1] && p[1] >= p[0]) << x;
    }
    // 57 on effect 3 is 50, as the screen rounds it.
    ASSERT_EQ(cli("effect " + fixture("rgb24.bmp") + " " + out("p57.bmp") + " --effect 3 --intensity 57").status, 0);
    ASSERT_EQ(cli("effect " + fixture("rgb24.bmp") + " " + out("p50.bmp") + " --effect Posterize --intensity 50").status, 0);
    EXPECT_EQ(readFile(dir / "p57.bmp"), readFile(dir / "p50.bmp"));
    EXPECT_EQ(cli("effect " + fixture("rgb24.bmp") + " " + out("x.bmp") + " --effect 99").status, 2);
}

TEST_F(CliWorkflow, EditOpAppliesALibraryEffectLikeTheEditScreen)
{
    const std::string photo = fixture("rgb24.bmp");
    // The op settles 57 on effect 3 to 50, as the screen and the effect command do.
    ASSERT_EQ(cli("effect " + photo + " " + out("command.bmp") + " --effect 3 --intensity 50").status, 0);
    const CliRun run = cli("edit " + photo + " " + out("op.bmp") + " --state library-effect:3:57");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"modified\":1"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"undo\":1099"), std::string::npos) << run.out;
    const Image byCommand = readBmp(dir / "command.bmp");
    const Image byOp = readBmp(dir / "op.bmp");
    ASSERT_EQ(byOp.width(), byCommand.width());
    ASSERT_EQ(byOp.height(), byCommand.height());
    for (int y = 0; y < byOp.height(); ++y)
        ASSERT_TRUE(std::equal(byOp.row(y), byOp.row(y) + 3 * byOp.width(), byCommand.row(y))) << y;

    // With a selection only the selected rectangle changes.
    ASSERT_EQ(cli("convert " + photo + " " + out("plain.bmp")).status, 0);
    ASSERT_EQ(cli("edit " + photo + " " + out("part.bmp") + " --select 0,0,40,30 library-effect:4:100").status, 0);
    const Image plain = readBmp(dir / "plain.bmp");
    const Image part = readBmp(dir / "part.bmp");
    int changedInside = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const bool same = std::equal(plain.row(y) + 3 * x, plain.row(y) + 3 * x + 3, part.row(y) + 3 * x);
            const bool inside = x < 40 && y < 30;
            // Whether the rectangle's right and bottom lines belong to it is not this test's matter.
            if (!inside && x <= 40 && y <= 30)
                continue;
            if (!inside)
                ASSERT_TRUE(same) << x << "," << y;
            else if (!same)
                ++changedInside;
        }
    EXPECT_GT(changedInside, 40 * 30 / 2);

    // An effect the library does not list, an intensity out of range: usage errors. A picture
    // that is not 24-bit gets no effect.
    EXPECT_EQ(cli("edit " + photo + " - library-effect:99:50").status, 2);
    EXPECT_EQ(cli("edit " + photo + " - library-effect:3:101").status, 2);
    EXPECT_EQ(cli("edit " + photo + " - library-effect:3").status, 2);
    EXPECT_EQ(cli("edit " + fixture("pal8.bmp") + " " + out("raw.bmp") + " --raw library-effect:1:50").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "raw.bmp"));
    EXPECT_NE(cli("edit --help").out.find("library-effect:N:I  effect N of the effects library"), std::string::npos);
}

TEST_F(CliWorkflow, MissingEffectsLibraryIsReported)
{
    const char* libraries = std::getenv("GLIMMERPRESS_LIBDIR");
    const std::string saved = libraries ? libraries : "";
    setenv("GLIMMERPRESS_LIBDIR", dir.path().c_str(), 1);
    const CliRun missing = cli("effects", dir / "err.txt");
    const CliRun effect = cli("effect " + fixture("rgb24.bmp") + " " + out("x.bmp") + " --effect 1", dir / "err2.txt");
    if (libraries)
        setenv("GLIMMERPRESS_LIBDIR", saved.c_str(), 1);
    else
        unsetenv("GLIMMERPRESS_LIBDIR");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(readFile(dir / "err.txt").find("Warning: Could not find the effects library"), std::string::npos);
    EXPECT_EQ(effect.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));
}
