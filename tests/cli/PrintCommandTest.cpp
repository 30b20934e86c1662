// Runs glimmerpress-cli print as a script would and checks the pages it makes by pixel.

#include "TempDir.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

using namespace gp::test;

namespace {

const QColor kTopLeft { 200, 30, 30 };
const QColor kTopRight { 30, 200, 30 };
const QColor kBottomLeft { 30, 30, 200 };
const QColor kBottomRight { 220, 220, 40 };

int run(const std::string& command, const std::filesystem::path& err = "/dev/null")
{
    const int status = std::system((command + " >/dev/null 2>" + err.string()).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool near(QRgb pixel, const QColor& color, int tolerance = 6)
{
    return std::abs(qRed(pixel) - color.red()) <= tolerance && std::abs(qGreen(pixel) - color.green()) <= tolerance
        && std::abs(qBlue(pixel) - color.blue()) <= tolerance;
}

// A 200 × 100 photo at 100 dpi with four coloured quadrants, made by ImageMagick.
struct CliPrint : ::testing::Test {
    TempDir dir;
    std::string photo = (dir / "photo.bmp").string();

    CliPrint()
    {
        const std::string make = "convert \\( -size 100x50 xc:'rgb(200,30,30)' xc:'rgb(30,200,30)' +append \\) "
                                 "\\( -size 100x50 xc:'rgb(30,30,200)' xc:'rgb(220,220,40)' +append \\) -append "
                                 "-units PixelsPerInch -density 100 -type TrueColor BMP3:"
            + photo;
        EXPECT_EQ(run(make), 0);
    }

    int print(const std::string& arguments, const std::string& err = "err")
    {
        return run(std::string(GLIMMER_CLI) + " print " + arguments, dir / err);
    }
    QImage png(const std::string& name) const
    {
        return QImage(QString::fromStdString((dir / name).string())).convertToFormat(QImage::Format_RGB32);
    }
};

constexpr const char* kPage = " --page 800,1000,100,100,850,1100,25,50";

void expectPhotoAt(const QImage& page, int left, int top, int width, int height)
{
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(near(page.pixel(left, top), kTopLeft));
    EXPECT_TRUE(near(page.pixel(left + width - 1, top), kTopRight));
    EXPECT_TRUE(near(page.pixel(left, top + height - 1), kBottomLeft));
    EXPECT_TRUE(near(page.pixel(left + width - 1, top + height - 1), kBottomRight));
    if (left > 0) {
        EXPECT_TRUE(near(page.pixel(left - 1, top), Qt::white));
    }
    if (left + width < page.width()) {
        EXPECT_TRUE(near(page.pixel(left + width, top), Qt::white));
    }
    if (top + height < page.height()) {
        EXPECT_TRUE(near(page.pixel(left, top + height), Qt::white));
    }
}

TEST_F(CliPrint, PngHoldsThePrintableAreaWithThePhotoAtItsOwnResolution)
{
    ASSERT_EQ(print(photo + " -o " + (dir / "out.png").string() + kPage), 0);
    const QImage page = png("out.png");
    ASSERT_EQ(page.size(), QSize(800, 1000));
    expectPhotoAt(page, 300, 450, 200, 100);
}

TEST_F(CliPrint, DpiAndPositionScaleAndPlaceThePhoto)
{
    // 50 dpi on a 100 dpi page doubles the photo; 5000/10000 starts it halfway across.
    ASSERT_EQ(print(photo + " -o " + (dir / "at.png").string() + kPage + " --dpi 50 --at 5000,1000"), 0);
    expectPhotoAt(png("at.png"), 400, 100, 400, 200);
    // A resolution at which the photo would not fit is raised until it does: on a 400 × 300
    // page the photo can be no larger than 400 pixels across, so 10 dpi becomes 50.
    ASSERT_EQ(print(photo + " -o " + (dir / "fit.png").string() + " --page 400,300,100,100,400,300,0,0 --dpi 10"), 0);
    expectPhotoAt(png("fit.png"), 0, 50, 400, 200);
}

TEST_F(CliPrint, PdfPlacesThePrintableAreaAtThePrintingOffsetWithoutLoss)
{
    const std::string pdf = (dir / "out.pdf").string();
    ASSERT_EQ(print(photo + " -o " + pdf + kPage + " --center"), 0);
    ASSERT_EQ(run("pdftoppm -r 100 -singlefile -png " + pdf + " " + (dir / "pdf").string()), 0);
    const QImage page = png("pdf.png");
    ASSERT_EQ(page.size(), QSize(850, 1100));
    // Away from the quadrant borders, which the renderer blends.
    EXPECT_TRUE(near(page.pixel(25 + 300 + 10, 50 + 450 + 10), kTopLeft));
    EXPECT_TRUE(near(page.pixel(25 + 500 - 10, 50 + 550 - 10), kBottomRight));
    EXPECT_TRUE(near(page.pixel(25 + 300 - 3, 50 + 500), Qt::white));
    EXPECT_TRUE(near(page.pixel(25 + 500 + 3, 50 + 500), Qt::white));

    ASSERT_EQ(run("pdfimages -list " + pdf + " >" + (dir / "list").string() + " 2>&1; true"), 0);
    // Strips of the photo at its own pixels, losslessly compressed: no "jpeg" encoding.
    const std::string list = readFile(dir / "list");
    EXPECT_NE(list.find("image     200    50  rgb     3   8  image"), std::string::npos) << list;
    EXPECT_EQ(list.find("jpeg"), std::string::npos) << list;
}

TEST_F(CliPrint, DescriptionIsPrintedCentredUnderThePhotoAndCutAt31Characters)
{
    const std::string w40(40, 'W'), w31(31, 'W');
    ASSERT_EQ(print(photo + " -o " + (dir / "d40.png").string() + kPage + " --description " + w40), 0);
    const QImage page = png("d40.png");
    int darkRows = 0;
    for (int y = 450; y < 640; ++y) {
        int left = 800, right = -1;
        for (int x = 0; x < 800; ++x) {
            if (qGray(page.pixel(x, y)) < 100 && (y >= 550 || x < 300 || x >= 500)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (right < 0)
            continue;
        // Nothing but the photo above its bottom edge plus the 10-pixel gap.
        EXPECT_GE(y, 560);
        ++darkRows;
        EXPECT_NEAR((left + right) / 2.0, 400, 4);
    }
    EXPECT_GT(darkRows, 5);
    ASSERT_EQ(print(photo + " -o " + (dir / "d31.png").string() + kPage + " --description " + w31), 0);
    EXPECT_EQ(png("d31.png"), page);
}

TEST_F(CliPrint, CalibrationMapsTheColoursThroughTheTables)
{
    // The red curve inverts; the other tables are the identity.
    std::string file = "PCAL";
    file += std::string("\x00\x01\x05\x00\x08\x00\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00", 16);
    for (int t = 0; t < 5; ++t)
        for (int i = 0; i < 256; ++i)
            file += char(t == 1 ? 255 - i : i);
    writeFile(dir / "printcal.dat", file);
    ASSERT_EQ(
        print(photo + " -o " + (dir / "cal.png").string() + kPage + " --calibrate " + (dir / "printcal.dat").string()),
        0);
    EXPECT_TRUE(near(png("cal.png").pixel(300, 450), QColor(55, 30, 30)));

    // A file without the tag, or none at all, prints the photo itself.
    writeFile(dir / "bad.dat", "XCAL" + file.substr(4));
    ASSERT_EQ(
        print(photo + " -o " + (dir / "bad.png").string() + kPage + " --calibrate " + (dir / "bad.dat").string()), 0);
    EXPECT_TRUE(near(png("bad.png").pixel(300, 450), kTopLeft));
    ASSERT_EQ(
        print(photo + " -o " + (dir / "none.png").string() + kPage + " --calibrate " + (dir / "none.dat").string()), 0);
    EXPECT_TRUE(near(png("none.png").pixel(300, 450), kTopLeft));
}

TEST_F(CliPrint, UsageErrorsAndAMissingQueue)
{
    const std::string out = " -o " + (dir / "x.png").string();
    EXPECT_EQ(print(photo), 2);
    EXPECT_EQ(print(photo + out + " --printer Office"), 2);
    EXPECT_EQ(print(photo + " -o " + (dir / "x.txt").string()), 2);
    EXPECT_EQ(print(photo + " --printer Office" + kPage), 2);
    EXPECT_EQ(print(photo + out + " --at 5000"), 2);
    EXPECT_EQ(print(photo + out + " --page 1,2,3"), 2);

    EXPECT_EQ(print(photo + " --printer GlimmerNoSuchQueue", "queue-err"), 1);
    EXPECT_EQ(readFile(dir / "queue-err").find("Error: Couldn't get a printer DC.") != std::string::npos, true);
}

} // namespace
