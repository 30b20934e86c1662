// Orientation tags and colour profiles, applied once by the dispatcher after the reader: JPEG
// files tagged by exiftool open as ImageMagick's auto-orient shows them, an Adobe RGB JPEG made
// by jpgicc reads back close to its sRGB original, sRGB and damaged profiles change nothing.

#include "codecs/ColorProfile.h"
#include "codecs/JpegReader.h"
#include "codecs/ReadImageFile.h"
#include "image/Orientation.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "codecs/ImageFileContext.h"
#include "codecs/PhotoCdOptions.h"
#include "codecs/SaveOptions.h"
#include "image/Allocator.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace gp;
using namespace gp::test;

namespace {

struct Finishing : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host, std::size_t(256) << 20 };
    SaveOptions save;
    PhotoCdOptions photoCd;
    ImageFileContext files { host, allocator, save, photoCd, dir.path(), true };

    std::string path(const std::string& name) const { return (dir / name).string(); }

    void makeJpeg(const std::string& name)
    {
        ASSERT_TRUE(runTool("convert -size 45x29 -seed 9 plasma: -depth 8 ppm:- | cjpeg -quality 95 -outfile "
            + path(name)));
    }

    ReadResult plainDecode(const std::string& name) { return readJpegFile(path(name), allocator); }

    // Mean absolute difference of two same-sized pictures, per channel value.
    static double meanDifference(const RgbPicture& a, const RgbPicture& b)
    {
        double sum = 0;
        for (std::size_t i = 0; i < a.rgb.size(); ++i)
            sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
        return sum / double(a.rgb.size());
    }

    // The colour-management library's own sRGB profile, for jpgicc to embed.
    std::string writeSrgbProfile()
    {
        cmsHPROFILE profile = cmsCreate_sRGBProfile();
        const std::string file = path("srgb.icc");
        EXPECT_TRUE(cmsSaveProfileToFile(profile, file.c_str()));
        cmsCloseProfile(profile);
        return file;
    }

    // An Adobe RGB (1998) profile built from its published primaries and gamma.
    std::string writeAdobeRgbProfile()
    {
        const cmsCIExyY white { 0.3127, 0.3290, 1.0 };
        const cmsCIExyYTRIPLE primaries { { 0.64, 0.33, 1.0 }, { 0.21, 0.71, 1.0 }, { 0.15, 0.06, 1.0 } };
        cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
        cmsToneCurve* curves[3] = { gamma, gamma, gamma };
        cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
        cmsMLU* description = cmsMLUalloc(nullptr, 1);
        cmsMLUsetASCII(description, "en", "US", "Test Adobe RGB");
        cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
        const std::string file = path("adobe.icc");
        EXPECT_TRUE(cmsSaveProfileToFile(profile, file.c_str()));
        cmsMLUfree(description);
        cmsCloseProfile(profile);
        cmsFreeToneCurve(gamma);
        return file;
    }
};

// Pixel values 0..5 on a 3 x 2 picture make every turn and mirror visible.
Image numbered(int bits)
{
    Image image = std::move(Image::create(3, 2, bits)).value();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const int v = y * 3 + x;
            if (bits == 24)
                image.row(y)[3 * x] = std::uint8_t(v);
            else if (bits == 8)
                image.row(y)[x] = std::uint8_t(v);
            else if (bits == 4)
                image.row(y)[x / 2] |= std::uint8_t(x % 2 ? v : v << 4);
        }
    return image;
}

int valueAt(const Image& image, int x, int y)
{
    switch (image.bitsPerPixel()) {
    case 24: return image.row(y)[3 * x];
    case 8: return image.row(y)[x];
    default: return x % 2 ? image.row(y)[x / 2] & 15 : image.row(y)[x / 2] >> 4;
    }
}

} // namespace

TEST(Orientation, EveryTagTurnsAndMirrorsAsTheCameraMeantAtEveryDepth)
{
    FakeHost host;
    const Allocator allocator(host);
    // The upright picture's rows for each tag, top row first.
    const std::vector<std::vector<int>> expected[9] = {
        {}, { { 0, 1, 2 }, { 3, 4, 5 } }, { { 2, 1, 0 }, { 5, 4, 3 } }, { { 5, 4, 3 }, { 2, 1, 0 } },
        { { 3, 4, 5 }, { 0, 1, 2 } }, { { 0, 3 }, { 1, 4 }, { 2, 5 } }, { { 3, 0 }, { 4, 1 }, { 5, 2 } },
        { { 5, 2 }, { 4, 1 }, { 3, 0 } }, { { 2, 5 }, { 1, 4 }, { 0, 3 } },
    };
    for (int bits : { 4, 8, 24 }) {
        Image source = numbered(bits);
        source.setResolution(1000, 2000);
        for (int tag = 1; tag <= 8; ++tag) {
            SCOPED_TRACE(testing::Message() << bits << "-bit, tag " << tag);
            auto upright = orientImage(source, tag, allocator);
            ASSERT_TRUE(upright);
            const auto& rows = expected[tag];
            ASSERT_EQ(upright->height(), int(rows.size()));
            ASSERT_EQ(upright->width(), int(rows[0].size()));
            for (int y = 0; y < upright->height(); ++y)
                for (int x = 0; x < upright->width(); ++x)
                    EXPECT_EQ(valueAt(*upright, x, y), rows[y][x]) << "at " << x << "," << y;
            EXPECT_EQ(upright->xPelsPerMeter(), tag >= 5 ? 2000 : 1000);
        }
    }
}

TEST(Orientation, ComposedTagsFollowTheTurnsAndMirrors)
{
    EXPECT_EQ(composeOrientations(6, 6), 3); // two quarter turns make a half turn
    EXPECT_EQ(composeOrientations(6, 8), 1);
    EXPECT_EQ(composeOrientations(2, 4), 3); // both mirrors make a half turn
    EXPECT_EQ(composeOrientations(1, 7), 7);
    EXPECT_EQ(composeOrientations(0, 5), 5);
    for (int tag = 1; tag <= 8; ++tag)
        EXPECT_EQ(composeOrientations(composeOrientations(tag, 3), 3), tag);
}

TEST_F(Finishing, JpegTaggedOneToEightOpensAsAutoOrientShowsIt)
{
    GLIMMER_REQUIRE_TOOLS("cjpeg", "convert", "exiftool");
    makeJpeg("plain.jpg");
    // Without a tag the picture is exactly what the JPEG reader alone gives.
    ReadResult plain = readImageFile(files, path("plain.jpg"));
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.photo.orientation, 1);
    EXPECT_EQ(countDifferences(toRgb(*plain.image), toRgb(*plainDecode("plain.jpg").image)), 0);
    for (int tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        const std::string file = "tag" + std::to_string(tag) + ".jpg";
        std::filesystem::copy_file(dir / "plain.jpg", dir / file);
        ASSERT_TRUE(runTool("exiftool -q -overwrite_original -n -Orientation=" + std::to_string(tag) + " " + path(file)));
        ASSERT_TRUE(runTool("convert " + path(file) + " -auto-orient ppm:" + path(file + ".ppm")));
        ReadResult result = readImageFile(files, path(file));
        ASSERT_TRUE(result.ok()) << result.detail;
        EXPECT_EQ(result.photo.orientation, tag);
        auto peer = readNetpbm(path(file + ".ppm"));
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(toRgb(*result.image), *peer, 1), 0);
    }
}

TEST_F(Finishing, TiffOrientationTagTurnsThePictureAndItsProfileIsRead)
{
    GLIMMER_REQUIRE_TOOLS("convert", "tiffset");
    ASSERT_TRUE(runTool("convert -size 5x3 -seed 2 plasma: -depth 8 -compress none -profile " + writeAdobeRgbProfile()
        + " " + path("tagged.tif")));
    ASSERT_TRUE(runTool("tiffset -s 274 8 " + path("tagged.tif")));
    ASSERT_TRUE(runTool("convert " + path("tagged.tif") + " -auto-orient ppm:" + path("upright.ppm")));
    files.convertProfiles = false;
    ReadResult result = readImageFile(files, path("tagged.tif"));
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_EQ(result.photo.orientation, 8);
    EXPECT_EQ(result.image->width(), 3);
    EXPECT_EQ(result.photo.profileDescription, std::optional<std::string>("Test Adobe RGB"));
    auto peer = readNetpbm(path("upright.ppm"));
    ASSERT_TRUE(peer);
    EXPECT_EQ(countDifferences(toRgb(*result.image), *peer), 0);
}

TEST_F(Finishing, AdobeRgbJpegReadsBackCloseToItsSrgbOriginal)
{
    GLIMMER_REQUIRE_TOOLS("cjpeg", "convert", "jpgicc");
    makeJpeg("srgb.jpg");
    const std::string adobe = writeAdobeRgbProfile();
    ASSERT_TRUE(runTool("jpgicc -q95 -t0 -e -o" + adobe + " " + path("srgb.jpg") + " " + path("adobe.jpg")));
    const RgbPicture original = toRgb(*plainDecode("srgb.jpg").image);

    ReadResult converted = readImageFile(files, path("adobe.jpg"));
    ASSERT_TRUE(converted.ok()) << converted.detail;
    ASSERT_TRUE(converted.photo.profileDescription);
    EXPECT_EQ(*converted.photo.profileDescription, "Test Adobe RGB");
    const double convertedError = meanDifference(toRgb(*converted.image), original);
    EXPECT_LT(convertedError, 2.5);

    // With the setting off the Adobe RGB values stay as stored: visibly further from the original.
    files.convertProfiles = false;
    ReadResult stored = readImageFile(files, path("adobe.jpg"));
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(*stored.photo.profileDescription, "Test Adobe RGB");
    EXPECT_GT(meanDifference(toRgb(*stored.image), original), convertedError + 3);
}

TEST_F(Finishing, SrgbAndDamagedProfilesLeaveThePictureAlone)
{
    GLIMMER_REQUIRE_TOOLS("cjpeg", "convert", "jpgicc");
    makeJpeg("srgb.jpg");
    ASSERT_TRUE(runTool("jpgicc -q95 -e -o" + writeSrgbProfile() + " " + path("srgb.jpg") + " " + path("tagged.jpg")));
    ReadResult tagged = readImageFile(files, path("tagged.jpg"));
    ASSERT_TRUE(tagged.ok());
    ASSERT_TRUE(tagged.photo.profileDescription);
    EXPECT_NE(tagged.photo.profileDescription->find("sRGB"), std::string::npos);
    EXPECT_EQ(countDifferences(toRgb(*tagged.image), toRgb(*plainDecode("tagged.jpg").image)), 0);

    // Damage the embedded profile's header: the profile is ignored, the picture kept unchanged.
    std::fstream file(path("tagged.jpg"), std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
    const std::size_t marker = bytes.find("ICC_PROFILE");
    ASSERT_NE(marker, std::string::npos);
    const std::size_t header = marker + 14; // name, its zero, sequence and count bytes
    for (std::size_t i = header; i < header + 40; ++i)
        bytes[i] = char(0xEE);
    file.seekp(0);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    ReadResult damaged = readImageFile(files, path("tagged.jpg"));
    ASSERT_TRUE(damaged.ok()) << damaged.detail;
    EXPECT_FALSE(damaged.photo.profileDescription);
    EXPECT_EQ(countDifferences(toRgb(*damaged.image), toRgb(*plainDecode("tagged.jpg").image)), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ColorProfile, GrayPictureStaysGrayAndForeignSpacesAreIgnored)
{
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 1.0);
    cmsHPROFILE linear = cmsCreateGrayProfile(cmsD50_xyY(), gamma);
    cmsUInt32Number size = 0;
    ASSERT_TRUE(cmsSaveProfileToMem(linear, nullptr, &size));
    std::vector<std::uint8_t> bytes(size);
    ASSERT_TRUE(cmsSaveProfileToMem(linear, bytes.data(), &size));
    cmsCloseProfile(linear);
    cmsFreeToneCurve(gamma);

    Image gray = std::move(Image::create(4, 1, 8)).value();
    for (int i = 0; i < 256; ++i)
        gray.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    gray.row(0)[0] = 0;
    gray.row(0)[1] = 50;
    gray.row(0)[2] = 255;
    const ProfileOutcome outcome = applyColorProfile(gray, bytes, true);
    EXPECT_TRUE(outcome.converted);
    EXPECT_EQ(gray.row(0)[0], 0);
    EXPECT_GT(gray.row(0)[1], 110); // linear 50/255 is a much lighter sRGB gray
    EXPECT_EQ(gray.row(0)[2], 255);
    EXPECT_EQ(gray.color(77), (Rgbq { 77, 77, 77, 0 }));

    // A gray profile on a colour picture is not applied.
    Image color = std::move(Image::create(2, 1, 24)).value();
    color.row(0)[0] = 10;
    EXPECT_FALSE(applyColorProfile(color, bytes, true).converted);
    EXPECT_EQ(color.row(0)[0], 10);
    EXPECT_FALSE(applyColorProfile(color, std::span(bytes).first(60), true).description);
}
