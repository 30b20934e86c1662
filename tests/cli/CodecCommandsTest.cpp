// Runs glimmerpress-cli info and convert as a script would and checks their output and files.

#include "CliRun.h"
#include "ExternalTools.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace gp::test;

namespace {

std::string fixture(const std::string& relative)
{
    return (std::filesystem::path(GLIMMER_SOURCE_DIR) / "tests/fixtures" / relative).string();
}

} // namespace

TEST(CliInfo, PrintsTheImageAsTheReaderReturnedIt)
{
    const CliRun run = cli("info " + fixture("bmp/g/pal4rle.bmp"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
        "{\"file\":\"" + fixture("bmp/g/pal4rle.bmp")
            + "\", \"format\":\"BMP\", \"width\":127, \"height\":64, \"bits\":4, \"colors\":12, "
              "\"xppm\":2835, \"yppm\":2835, \"type\":4, \"imageSize\":4096, \"orientation\":1, \"profile\":null}\n");
}

TEST(CliInfo, ReportsTheOrientationAppliedAndTheProfilesDescription)
{
    // Stored 12 wide and 8 high with orientation 6 (a quarter turn clockwise) and an RGB profile.
    const std::string tagged
        = (std::filesystem::path(GLIMMER_SOURCE_DIR) / "fuzz/seeds/jpeg_reader/oriented-adobe-rgb.jpg").string();
    const CliRun run = cli("info " + tagged);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"width\":8, \"height\":12"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"orientation\":6, \"profile\":\"RGB built-in\"}"), std::string::npos) << run.out;
}

TEST(CliInfo, UnreadableAndUnknownFilesExitOneWithTheProgramsMessage)
{
    TempDir dir;
    EXPECT_EQ(cli("info " + (dir / "none.bmp").string(), dir / "err1").status, 1);
    EXPECT_EQ(readFile(dir / "err1").find("Warning: The file:\n" + (dir / "none.bmp").string() + "\nis not found.")
            != std::string::npos,
        true);
    writeFile(dir / "a.xyz", "x");
    EXPECT_EQ(cli("info " + (dir / "a.xyz").string(), dir / "err2").status, 1);
    EXPECT_NE(readFile(dir / "err2").find("Warning: Unknown file format"), std::string::npos);
    EXPECT_EQ(cli("info").status, 2);
}

TEST(CliConvert, WidensByDefaultAndKeepsTheDepthWithRaw)
{
    TempDir dir;
    const std::string in = fixture("bmp/g/pal8.bmp");
    EXPECT_EQ(cli("convert " + in + " " + (dir / "wide.bmp").string()).status, 0);
    EXPECT_NE(cli("info " + (dir / "wide.bmp").string()).out.find("\"bits\":24"), std::string::npos);
    EXPECT_EQ(cli("convert --raw " + in + " " + (dir / "raw.bmp").string()).status, 0);
    EXPECT_EQ(readFile(dir / "raw.bmp"), readFile(in));

    EXPECT_EQ(cli("convert " + in + " " + (dir / "out.jpg").string() + " --quality 100").status, 0);
    const CliRun jpeg = cli("info " + (dir / "out.jpg").string());
    EXPECT_NE(jpeg.out.find("\"format\":\"JPG\", \"width\":127, \"height\":64, \"bits\":24"), std::string::npos);
    EXPECT_EQ(cli("convert " + in + " " + (dir / "x.jpg").string() + " --quality 101").status, 2);
    EXPECT_EQ(cli("convert --raw " + in + " " + (dir / "idx.jpg").string(), dir / "err").status, 1);
    EXPECT_NE(readFile(dir / "err").find("JPEG format is not available for indexed image."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "idx.jpg"));
}

TEST(CliConvert, WritesPngAndReadsItBack)
{
    TempDir dir;
    const std::string in = fixture("bmp/g/pal8.bmp");
    EXPECT_EQ(cli("convert " + in + " " + (dir / "wide.png").string()).status, 0);
    EXPECT_NE(cli("info " + (dir / "wide.png").string()).out.find("\"format\":\"PNG\", \"width\":127, \"height\":64, \"bits\":24"),
        std::string::npos);
    EXPECT_EQ(cli("convert --raw " + in + " " + (dir / "raw.png").string()).status, 0);
    const CliRun raw = cli("info " + (dir / "raw.png").string());
    EXPECT_NE(raw.out.find("\"bits\":8"), std::string::npos) << raw.out;
    // The PNG goes back to a bitmap with the same pixels as the original.
    EXPECT_EQ(cli("convert --raw " + (dir / "raw.png").string() + " " + (dir / "back.bmp").string()).status, 0);
    const CliRun back = cli("info " + (dir / "back.bmp").string());
    EXPECT_NE(back.out.find("\"bits\":8"), std::string::npos);
}

TEST(CliConvert, PcxAndTgaFilesAreWrittenAndReadByTheirExtensions)
{
    TempDir dir;
    const std::string in = fixture("bmp/g/pal8.bmp");
    const auto out = [&](const std::string& name) { return (dir / name).string(); };
    ASSERT_EQ(cli("convert --raw " + in + " " + out("raw.pcx")).status, 0);
    EXPECT_NE(cli("info " + out("raw.pcx"))
                  .out.find("\"format\":\"PCX\", \"width\":127, \"height\":64, \"bits\":8, \"colors\":256"),
        std::string::npos);
    ASSERT_EQ(cli("convert " + in + " " + out("wide.pcx")).status, 0);
    EXPECT_NE(cli("info " + out("wide.pcx")).out.find("\"bits\":24, \"colors\":0"), std::string::npos);

    ASSERT_EQ(cli("convert " + in + " " + out("plain.tga")).status, 0);
    ASSERT_EQ(cli("convert --compress " + in + " " + out("packed.tga")).status, 0);
    ASSERT_EQ(cli("convert --raw --compress " + in + " " + out("mapped.tga")).status, 0);
    EXPECT_EQ(readFile(dir / "plain.tga")[2], 2);
    EXPECT_EQ(readFile(dir / "packed.tga")[2], 10);
    EXPECT_EQ(readFile(dir / "mapped.tga")[2], 9);
    EXPECT_NE(
        cli("info " + out("packed.tga")).out.find("\"format\":\"TGA\", \"width\":127, \"height\":64, \"bits\":24"),
        std::string::npos);

    // Every file shows the fixture's pixels, through our reader and through ImageMagick's (which
    // leaves TGA rows in file order unless told to turn them).
    ASSERT_EQ(cli("convert --raw " + out("mapped.tga") + " " + out("back.bmp")).status, 0);
    GLIMMER_REQUIRE_TOOLS("convert");
    const auto pixels = [&](const std::string& file) {
        const std::string ppm = (dir / std::filesystem::path(file).filename()).string() + ".ppm";
        EXPECT_TRUE(runTool("convert '" + file + "' -auto-orient -depth 8 ppm:'" + ppm + "'"));
        return readFile(ppm);
    };
    const std::string expected = pixels(in);
    for (const std::string name : { "raw.pcx", "wide.pcx", "plain.tga", "packed.tga", "mapped.tga", "back.bmp" }) {
        SCOPED_TRACE(name);
        EXPECT_EQ(pixels(out(name)), expected);
    }
}

TEST(CliInfo, PcxAndTgaFilesOfOtherProgramsAreDescribed)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    TempDir dir;
    const std::string pcx = (dir / "photo.pcx").string(), tga = (dir / "photo.tga").string();
    ASSERT_TRUE(runTool("convert -size 30x20 gradient:red-blue " + pcx));
    ASSERT_TRUE(runTool("convert -size 30x20 gradient:red-blue -type Palette -compress RLE " + tga));
    EXPECT_NE(
        cli("info " + pcx).out.find("\"format\":\"PCX\", \"width\":30, \"height\":20, \"bits\":24"), std::string::npos);
    EXPECT_NE(
        cli("info " + tga).out.find("\"format\":\"TGA\", \"width\":30, \"height\":20, \"bits\":8"), std::string::npos);

    // A 32-bit run-length TGA is a kind this program does not read.
    ASSERT_TRUE(runTool("convert -size 30x20 gradient:red-blue -alpha set -compress RLE " + tga));
    EXPECT_EQ(cli("info " + tga, dir / "err").status, 1);
    EXPECT_NE(readFile(dir / "err").find("Unknown file format"), std::string::npos);
}

TEST(CliConvert, WritesAndReadsTiffPlainOrCompressed)
{
    TempDir dir;
    const std::string in = fixture("bmp/g/pal8.bmp");
    const std::string plain = (dir / "out.tif").string(), packed = (dir / "packed.tif").string();
    ASSERT_EQ(cli("convert " + in + " " + plain).status, 0);
    ASSERT_EQ(cli("convert " + in + " " + packed + " --compress").status, 0);
    // The fifth directory entry is Compression: 1 plain, 5 LZW.
    EXPECT_EQ(readFile(dir / "out.tif")[54], 1);
    EXPECT_EQ(readFile(dir / "packed.tif")[54], 5);
    EXPECT_EQ(readFile(dir / "out.tif").size(), 244u + 127 * 64 * 3);
    for (const std::string& file : { plain, packed })
        EXPECT_NE(cli("info " + file).out.find("\"format\":\"TIF\", \"width\":127, \"height\":64, \"bits\":24"),
            std::string::npos)
            << file;

    // Back to a bitmap, both give the same pixels.
    ASSERT_EQ(cli("convert " + plain + " " + (dir / "a.bmp").string()).status, 0);
    ASSERT_EQ(cli("convert " + packed + " " + (dir / "b.bmp").string()).status, 0);
    EXPECT_EQ(readFile(dir / "a.bmp"), readFile(dir / "b.bmp"));

    ASSERT_EQ(cli("convert --raw " + in + " " + (dir / "raw.tif").string()).status, 0);
    EXPECT_NE(cli("info " + (dir / "raw.tif").string()).out.find("\"bits\":8"), std::string::npos);
}

TEST(CliGif, IndexedImagesRoundTripAndTrueColourIsReducedOnTheWay)
{
    TempDir dir;
    const std::string gif = (dir / "pal8.gif").string();
    EXPECT_EQ(cli("convert --raw " + fixture("bmp/g/pal8.bmp") + " " + gif).status, 0);
    EXPECT_EQ(readFile(gif).substr(0, 6), "GIF87a");
    EXPECT_EQ(cli("info " + gif).out,
        "{\"file\":\"" + gif
            + "\", \"format\":\"GIF\", \"width\":127, \"height\":64, \"bits\":8, \"colors\":256, "
              "\"xppm\":0, \"yppm\":0, \"type\":3, \"imageSize\":8192, \"orientation\":1, \"profile\":null}\n");
    // The colours survive exactly: both widened pictures hold the same pixels after their headers.
    EXPECT_EQ(cli("convert " + gif + " " + (dir / "fromgif.bmp").string()).status, 0);
    EXPECT_EQ(cli("convert " + fixture("bmp/g/pal8.bmp") + " " + (dir / "frombmp.bmp").string()).status, 0);
    const std::string fromGif = readFile(dir / "fromgif.bmp"), fromBmp = readFile(dir / "frombmp.bmp");
    ASSERT_EQ(fromGif.size(), fromBmp.size());
    EXPECT_EQ(fromGif.substr(54), fromBmp.substr(54));

    // A 24-bit document goes through the 256-colour reduction; a 1-bit image reads black and white.
    EXPECT_EQ(cli("convert " + fixture("bmp/g/rgb24.bmp") + " " + (dir / "rgb.gif").string()).status, 0);
    EXPECT_NE(cli("info " + (dir / "rgb.gif").string()).out.find("\"bits\":8, \"colors\":256"), std::string::npos);
    EXPECT_EQ(cli("convert --raw " + fixture("bmp/g/pal1bg.bmp") + " " + (dir / "one.gif").string()).status, 0);
    EXPECT_NE(cli("info " + (dir / "one.gif").string()).out.find("\"bits\":1, \"colors\":2"), std::string::npos);

    writeFile(dir / "bad.gif", "GIF89a but nothing else");
    EXPECT_EQ(cli("info " + (dir / "bad.gif").string(), dir / "err").status, 1);
    EXPECT_NE(readFile(dir / "err").find("is not found."), std::string::npos);
}
