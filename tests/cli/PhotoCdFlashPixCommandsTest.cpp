// glimmerpress-cli info and convert on Photo CD and FlashPix files, through the real libraries.

#include "CliRun.h"
#include "ExternalTools.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

using namespace gp::test;

namespace {

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(CliPhotoCd, InfoReadsTheChosenResolutionAndTypeWithoutADialog)
{
    TempDir dir;
    const std::string pcd = (dir / "p.pcd").string();
    GLIMMER_REQUIRE(runTool("convert -size 400x600 gradient:yellow-navy '" + pcd + "'"), "ImageMagick cannot make Photo CD files here");

    const CliRun medium = cli("info '" + pcd + "'");
    EXPECT_EQ(medium.status, 0);
    EXPECT_TRUE(has(medium.out,
        "\"format\":\"PCD\", \"width\":512, \"height\":768, \"bits\":24, \"colors\":0, "
        "\"xppm\":7874, \"yppm\":7874, \"type\":2"))
        << medium.out;
    const CliRun full = cli("info '" + pcd + "' --pcd-resolution 4 --pcd-type gray");
    EXPECT_EQ(full.status, 0);
    EXPECT_TRUE(has(full.out, "\"width\":2048, \"height\":3072, \"bits\":8, \"colors\":256")) << full.out;
    const CliRun thumbnail = cli("info --pcd-resolution 0 '" + pcd + "'");
    EXPECT_TRUE(has(thumbnail.out, "\"width\":128, \"height\":192")) << thumbnail.out;

    EXPECT_EQ(cli("info '" + pcd + "' --pcd-resolution 5").status, 2);
    EXPECT_EQ(cli("info '" + pcd + "' --pcd-type cmyk").status, 2);
    EXPECT_EQ(cli("info '" + pcd + "' --pcd-type").status, 2);
}

TEST(CliFlashPix, ConvertWritesAndReadsFlashPix)
{
    TempDir dir;
    const std::string pcd = (dir / "l.pcd").string();
    GLIMMER_REQUIRE(runTool("convert -size 768x512 gradient:red-blue '" + pcd + "'"), "ImageMagick cannot make Photo CD files here");
    const std::string fpx = (dir / "l.fpx").string();
    EXPECT_EQ(cli("convert '" + pcd + "' '" + fpx + "' --quality 80").status, 0);
    const CliRun info = cli("info '" + fpx + "'");
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(has(info.out, "\"format\":\"FPX\", \"width\":768, \"height\":512, \"bits\":24")) << info.out;
    const std::string bmp = (dir / "l.bmp").string();
    EXPECT_EQ(cli("convert '" + fpx + "' '" + bmp + "'").status, 0);
    EXPECT_TRUE(has(cli("info '" + bmp + "'").out, "\"width\":768, \"height\":512"));
}

} // namespace
