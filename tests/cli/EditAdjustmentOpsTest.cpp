// Runs the adjustment, filter and effect OPs of glimmerpress-cli edit as a script would.

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

Image readBmp(const std::filesystem::path& path)
{
    const std::string bytes = readFile(path);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return Image::fromPacked(std::span<const std::uint8_t>(data + 14, bytes.size() - 14)).value();
}

class CliAdjust : public ::testing::Test {
protected:
    TempDir dir;
    std::string out(const std::string& name) const { return (dir / name).string(); }
    std::string edit(const std::string& arguments) const { return "edit --state " + arguments; }
};

} // namespace

TEST_F(CliAdjust, OpsRecordTheirUndoCodes)
{
    const std::string in = fixture("rgb24.bmp");
    const std::pair<const char*, const char*> cases[] = {
        { "brightness:20:0", "\"undo\":1020" },
        { "huesat:120:0", "\"undo\":1021" },
        { "tone:0:-30:0", "\"undo\":1090" },
        { "tone-auto:red", "\"undo\":1090" },
        { "blur:50", "\"undo\":1031" },
        { "sharpen:50", "\"undo\":1034" },
        { "effect:300:40", "\"undo\":1038" },
        { "effect:317:75", "\"undo\":1055" },
    };
    for (const auto& [op, undo] : cases) {
        const CliRun run = cli(edit(in + " - " + op));
        EXPECT_EQ(run.status, 0) << op;
        EXPECT_NE(run.out.find(undo), std::string::npos) << op << ": " << run.out;
        EXPECT_NE(run.out.find("\"modified\":1"), std::string::npos) << op;
    }
    const CliRun selected = cli(edit("--select 5,5,40,30,ellipse " + in + " - effect:313:60"));
    EXPECT_EQ(selected.status, 0);
    EXPECT_NE(selected.out.find("\"undo\":3051"), std::string::npos) << selected.out;
    EXPECT_NE(selected.out.find("\"floating\":true"), std::string::npos);
}

TEST_F(CliAdjust, BrightnessChangesThePixelsAndUndoRestoresThem)
{
    const std::string in = fixture("rgb24.bmp");
    ASSERT_EQ(cli("convert " + in + " " + out("plain.bmp")).status, 0);
    ASSERT_EQ(cli("edit " + in + " " + out("bright.bmp") + " brightness:20:0:green").status, 0);
    ASSERT_EQ(cli("edit " + in + " " + out("undone.bmp") + " blur:80 undo").status, 0);
    EXPECT_EQ(readFile(dir / "undone.bmp"), readFile(dir / "plain.bmp"));
    const Image plain = readBmp(dir / "plain.bmp");
    const Image bright = readBmp(dir / "bright.bmp");
    for (int y = 0; y < plain.height(); y += 7)
        for (int x = 0; x < plain.width(); x += 5) {
            const std::uint8_t* a = plain.storedRow(y) + 3 * x;
            const std::uint8_t* b = bright.storedRow(y) + 3 * x;
            EXPECT_EQ(b[0], a[0]);
            EXPECT_EQ(b[1], std::min(255, a[1] + 20));
            EXPECT_EQ(b[2], a[2]);
        }
}

TEST_F(CliAdjust, RefusalsAndBadArguments)
{
    // A 4-bit picture: the filters beep and fail, the palette adjustments work.
    const std::string pal4 = fixture("pal4.bmp");
    EXPECT_EQ(cli(edit("--raw " + pal4 + " - blur:50")).status, 1);
    EXPECT_EQ(cli(edit("--raw " + pal4 + " - brightness:10:0")).status, 0);
    EXPECT_EQ(cli(edit("--raw " + fixture("pal1.bmp") + " - tone:10:0:0")).status, 1);
    // Both values 0 change nothing.
    const CliRun still = cli(edit(fixture("rgb24.bmp") + " - brightness:0:0"));
    EXPECT_EQ(still.status, 0);
    EXPECT_NE(still.out.find("\"undo\":0"), std::string::npos) << still.out;
    for (const char* op : { "blur:0", "sharpen:101", "effect:318:50", "effect:299:50", "brightness:128:0", "huesat:10",
             "tone:1:2", "tone-auto:cyan", "brightness:1:1:purple" })
        EXPECT_EQ(cli(edit(fixture("rgb24.bmp") + " - " + op)).status, 2) << op;
}
