// Runs glimmerpress-cli layouts, templates, page and matte as a script would and checks what
// they print and the pages they make.

#include "ExternalTools.h"
#include "TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace gp::test;

namespace {

// 8 × 10 inches printable at 100 dpi on an 8.5 × 11 inch sheet.
constexpr const char* kPage = " --page 800,1000,100,100,850,1100,25,50";

struct CliLayouts : ::testing::Test {
    TempDir dir;
    std::string options = " --settings-dir " + dir.path().string() + " --data-dir " + (dir / "data").string();

    CliLayouts() { std::filesystem::create_directories(dir / "data"); }

    int run(const std::string& arguments, std::string* out = nullptr)
    {
        const std::string command = std::string(GLIMMER_CLI) + options + " " + arguments + " 2>" +
                                    (dir / "err").string();
        std::FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        std::string text;
        while (std::fgets(buffer.data(), int(buffer.size()), pipe))
            text += buffer.data();
        const int status = pclose(pipe);
        if (out)
            *out = text;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string photo(const std::string& name, const std::string& color)
    {
        const std::string path = (dir / name).string();
        EXPECT_TRUE(runTool("convert -size 300x200 xc:'" + color + "' -type TrueColor BMP3:" + path));
        return path;
    }
};

QRgb pixelAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

} // namespace

TEST_F(CliLayouts, ListsGeneratedLayoutsInPrinterPixels)
{
    std::string out;
    ASSERT_EQ(run(std::string("layouts mixed") + kPage, &out), 0);
    // The first mixed layout on an 8 × 10 inch page is one 8 × 10 photo.
    EXPECT_EQ(out.substr(0, out.find('\n')), R"({"index":0, "name":"", "cells":[[0,0,800,1000]]})");
    EXPECT_EQ(run("layouts nonsense"), 2);
}

TEST_F(CliLayouts, TemplatesAreAddedListedAndDeleted)
{
    std::string out;
    ASSERT_EQ(run(std::string("templates add Halves '0,0,8000,5000;0,5000,8000,10000'") + kPage), 0);
    ASSERT_EQ(run(std::string("templates list") + kPage, &out), 0);
    EXPECT_EQ(out, "{\"index\":0, \"name\":\"Halves\", \"cells\":[[0,0,800,500], [0,500,800,1000]]}\n");
    EXPECT_EQ(run(std::string("templates delete 3") + kPage), 1);
    ASSERT_EQ(run(std::string("templates delete 0") + kPage), 0);
    ASSERT_EQ(run(std::string("templates list") + kPage, &out), 0);
    EXPECT_EQ(out, "");
}

TEST_F(CliLayouts, PagePutsEachPhotoInItsCell)
{
    const std::string red = photo("red.bmp", "rgb(220,20,20)"), blue = photo("blue.bmp", "rgb(20,20,220)");
    const std::string png = (dir / "page.png").string();
    ASSERT_EQ(run("page labels 0 " + red + " -o " + png + kPage), 0);
    QImage page(QString::fromStdString(png));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.size(), QSize(800, 1000));
    // The first shipped Letter label sheet: 2-5/8 × 1 inch labels from (0.19, 0.5) inch on the
    // paper; the photo fills the first label's height, centred across it.
    EXPECT_EQ(pixelAt(page, 120, 50), 0xDC1414u);
    EXPECT_EQ(pixelAt(page, 400, 500), 0xFFFFFFu);

    // Two photos in a user template of two halves.
    ASSERT_EQ(run(std::string("templates add Halves '0,0,8000,5000;0,5000,8000,10000'") + kPage), 0);
    ASSERT_EQ(run("page my-templates 0 " + red + " " + blue + " -o " + png + kPage + " --margins 0,0"), 0);
    page.load(QString::fromStdString(png));
    EXPECT_EQ(pixelAt(page, 400, 250), 0xDC1414u);
    EXPECT_EQ(pixelAt(page, 400, 750), 0x1414DCu);

    // An empty page beeps and prints nothing.
    EXPECT_EQ(run("page mixed 0 -o " + (dir / "empty.png").string() + kPage), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
}

TEST_F(CliLayouts, CalendarPagePrintsToPdf)
{
    const std::string red = photo("red.bmp", "rgb(220,20,20)");
    const std::string pdf = (dir / "calendar.pdf").string();
    ASSERT_EQ(run("matte " + red + " -o " + pdf + " --calendar 2000-02 --upper Hello --background color:200,220,200" +
                  kPage),
              0);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    ASSERT_TRUE(runTool("pdftoppm -r 50 -png -singlefile " + pdf + " " + (dir / "cal").string()));
    QImage page(QString::fromStdString((dir / "cal.png").string()));
    ASSERT_FALSE(page.isNull());
    // The photo (half the preview's fitted size) sits in the middle of the page.
    EXPECT_EQ(qRed(page.pixel(page.width() / 2, page.height() / 2)), 220);
    // Above the photo and the upper text, inside the printable area.
    const QRgb background = page.pixel(page.width() / 2, 40);
    EXPECT_NEAR(qRed(background), 200, 6);
    EXPECT_NEAR(qGreen(background), 220, 6);
}

TEST_F(CliLayouts, TemplateEditorToolsRunWithoutAWindow)
{
    // The 8 × 10 inch page is 480 × 600 editor pixels.
    std::string out;
    ASSERT_EQ(run(std::string("templates edit Quarters split-v:10,300 split-v:240,300 split-h:120,300 "
                              "merge:240,150,240,150 merge:120,302,120,298 grid:360,300,5,5")
                      + kPage,
                  &out),
              0);
    std::string err = gp::test::readFile(dir / "err");
    // A split 10 pixels from the edge and a merge of cells of different heights both beep.
    EXPECT_EQ(err.find("Beep\nBeep\n") != std::string::npos, true) << err;
    EXPECT_NE(out.find(R"("cells":[[0,0,240,600],[240,0,288,120],)"), std::string::npos) << out;
    EXPECT_NE(out.find(R"("stored":[[0,0,4000,10000],)"), std::string::npos) << out;

    // The saved template is found by its name and edited in place.
    ASSERT_EQ(run(std::string("templates edit Quarters edge:240,100,300,100") + kPage, &out), 0);
    EXPECT_NE(out.find(R"("index":0, "name":"Quarters")"), std::string::npos);
    EXPECT_NE(out.find(R"("cells":[[0,0,278,600],)"), std::string::npos) << "stopped 10 pixels short of the grid's edge";
    ASSERT_EQ(run(std::string("templates list") + kPage, &out), 0);
    EXPECT_EQ(out.find("\n"), out.size() - 1) << "still one template";

    // A 5 × 5 grid, five of its cells cut into 4 × 4 (100 cells), then one more grid.
    ASSERT_EQ(run(std::string("templates edit Many grid:240,300,5,5 grid:40,40,4,4 grid:130,40,4,4 grid:230,40,4,4 "
                              "grid:330,40,4,4 grid:430,40,4,4 grid:40,160,4,4")
                      + kPage,
                  &out),
              0);
    err = gp::test::readFile(dir / "err");
    EXPECT_NE(err.find("Warning: Can't add more cells!"), std::string::npos) << err;
}

TEST_F(CliLayouts, PageReportGivesEachCellsEffectiveResolution)
{
    const std::string big = (dir / "big.bmp").string(), small = (dir / "small.bmp").string();
    ASSERT_TRUE(runTool("convert -size 3000x2000 xc:red -type TrueColor BMP3:" + big));
    ASSERT_TRUE(runTool("convert -size 640x480 xc:blue -type TrueColor BMP3:" + small));
    // A landscape 6 × 4 cell (500 dpi for the big photo) and an 8 × 10 cell (80 dpi for the small).
    ASSERT_EQ(run(std::string("templates add Two '0,0,6000,4000;0,0,8000,10000'") + kPage), 0);
    std::string out;
    ASSERT_EQ(run("page my-templates 0 " + big + " " + small + " -o - --report" + kPage, &out), 0);
    EXPECT_EQ(out, "{\"index\":0, \"rect\":[0,0,600,400], \"photo\":\"" + big
                       + "\", \"inches\":[6.00,4.00], \"dpi\":500, \"low\":false}\n"
                         "{\"index\":1, \"rect\":[0,0,800,1000], \"photo\":\""
                       + small + "\", \"inches\":[8.00,6.00], \"dpi\":80, \"low\":true}\n");
    // Printing with the report prints both.
    const std::string png = (dir / "report.png").string();
    ASSERT_EQ(run("page my-templates 0 " + big + " -o " + png + " --report" + kPage, &out), 0);
    EXPECT_NE(out.find("\"dpi\":500"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(png));
}
