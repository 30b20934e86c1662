#include "EffectProtocol.h"
#include "Effects.h"

#include "FakeHost.h"
#include "editing/workflow/EffectsLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

using namespace gp;

namespace {

// A textured 24-bit picture with an odd width, so every row carries padding.
Image texturedPicture(int width = 37, int height = 23)
{
    Image image = Image::create(width, height, 24).value();
    std::mt19937 random(11);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(x * 6 + (random() & 15));
            p[1] = std::uint8_t(y * 10 + (random() & 15));
            p[2] = std::uint8_t((x * y) & 0xFF);
        }
    return image;
}

class EffectLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = EffectsLibrary::open(std::filesystem::path(GLIMMER_BUILD_LIBDIR) / "libglimmer-effect.so");
        ASSERT_TRUE(library) << "the built effects library did not load";
    }
    test::FakeHost host;
    Allocator allocator { host };
    std::optional<EffectsLibrary> library;
};

effect::RgbPicture pictureOf(Image& image)
{
    return { image.width(), image.height(), image.rowSize(), image.pixels().data() };
}

// Runs one effect of the core on a copy and answers the result.
Image applyCore(effect::EffectFunction function, const Image& source, int intensity)
{
    Image copy = source.clone();
    Image result = source.clone();
    function(pictureOf(copy), pictureOf(result), intensity);
    return result;
}

} // namespace

TEST_F(EffectLibrary, ListsItsEffectsByNumber)
{
    const auto effects = library->effects();
    ASSERT_GE(effects.size(), 16u);
    for (std::size_t i = 0; i < effects.size(); ++i) {
        EXPECT_EQ(effects[i].number, int(i) + 1);
        EXPECT_FALSE(effects[i].name.empty());
    }
    EXPECT_EQ(effects[2].name, "Posterize");
    EXPECT_EQ(effects[12].name, "Vignette");
    EXPECT_EQ(MyEffectName(0), nullptr);
    EXPECT_EQ(MyEffectName(MyEffectCount() + 1), nullptr);
}

TEST_F(EffectLibrary, EveryEffectKeepsTheLayoutLeavesTheInputAndRespondsToTheIntensity)
{
    const Image source = texturedPicture();
    const std::vector<std::uint8_t> before(source.packed().begin(), source.packed().end());
    for (const auto& entry : library->effects()) {
        std::optional<Image> weakest;
        for (int intensity : { 0, 25, 50, 100 }) {
            auto result = library->apply(entry.number, source, intensity, allocator);
            ASSERT_TRUE(result) << entry.name << " at " << intensity;
            EXPECT_EQ(result->width(), source.width());
            EXPECT_EQ(result->height(), source.height());
            EXPECT_EQ(result->bitsPerPixel(), 24);
            // The row padding stays zero.
            for (int y = 0; y < result->height(); ++y)
                for (std::size_t i = 3 * std::size_t(result->width()); i < result->rowSize(); ++i)
                    ASSERT_EQ(result->row(y)[i], 0) << entry.name;
            if (intensity == 0) {
                weakest = std::move(result);
            } else if (intensity == 100) {
                EXPECT_FALSE(std::ranges::equal(weakest->pixels(), result->pixels()))
                    << entry.name << " looks the same at 0 and 100";
            }
        }
        EXPECT_TRUE(std::ranges::equal(before, source.packed())) << entry.name << " changed its input";
    }
}

TEST_F(EffectLibrary, RefusesUnknownEffectsAndOtherDepths)
{
    const Image source = texturedPicture();
    EXPECT_FALSE(library->apply(0, source, 50, allocator));
    EXPECT_FALSE(library->apply(MyEffectCount() + 1, source, 50, allocator));
    const Image indexed = Image::create(8, 8, 8).value();
    EXPECT_FALSE(library->apply(1, indexed, 50, allocator));
    EXPECT_EQ(DoMyEffect(1, nullptr, 50), nullptr);

    // A header that claims an absurd size is refused before anything is read.
    std::vector<std::uint8_t> hostile(source.packed().begin(), source.packed().end());
    hostile[4] = hostile[5] = hostile[6] = 0xFF;
    hostile[7] = 0x7F;
    EXPECT_EQ(DoMyEffect(1, hostile.data(), 50), nullptr);
    // Intensities beyond the range act as the range's ends.
    void* over = DoMyEffect(3, source.packed().data(), 400);
    void* top = DoMyEffect(3, source.packed().data(), 100);
    ASSERT_TRUE(over && top);
    EXPECT_EQ(std::memcmp(over, top, source.packed().size()), 0);
    FreeMyEffect(over);
    FreeMyEffect(top);
}

TEST(EffectLooks, ColourEffectsMoveTheColoursTheWayTheirNamesSay)
{
    const Image source = texturedPicture();
    const auto sums = [](const Image& image) {
        std::array<long, 3> s {};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                for (int c = 0; c < 3; ++c)
                    s[std::size_t(c)] += image.row(y)[3 * x + c];
        return s;
    };
    const auto original = sums(source);
    const auto warmed = sums(applyCore(effect::warm, source, 100));
    EXPECT_GT(warmed[2], original[2]);
    EXPECT_LT(warmed[0], original[0]);
    const auto cooled = sums(applyCore(effect::cool, source, 100));
    EXPECT_GT(cooled[0], original[0]);
    EXPECT_LT(cooled[2], original[2]);
    EXPECT_GT(sums(applyCore(effect::highKey, source, 100))[1], original[1]);
    EXPECT_LT(sums(applyCore(effect::lowKey, source, 100))[1], original[1]);

    const Image poster = applyCore(effect::posterize, source, 100);
    const Image film = applyCore(effect::blackAndWhiteFilm, source, 60);
    const Image brown = applyCore(effect::sepia, source, 100);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const std::uint8_t* p = poster.row(y) + 3 * x;
            EXPECT_TRUE((p[0] == 0 || p[0] == 255) && (p[2] == 0 || p[2] == 255));
            const std::uint8_t* f = film.row(y) + 3 * x;
            EXPECT_TRUE(f[0] == f[1] && f[1] == f[2]);
            const std::uint8_t* b = brown.row(y) + 3 * x;
            EXPECT_TRUE(b[2] >= b[1] && b[1] >= b[0]);
        }
}

TEST(EffectLooks, PositionalEffectsDarkenCornersAndDrawLines)
{
    Image flat = Image::create(64, 48, 24).value();
    std::ranges::fill(flat.pixels(), std::uint8_t(200));
    const Image dark = applyCore(effect::vignette, flat, 100);
    EXPECT_GT(dark.row(24)[3 * 32], 190);
    EXPECT_LT(dark.row(0)[0], 100);
    EXPECT_LT(dark.row(47)[3 * 63], 100);

    // A flat picture has no lines; a dark square on it is outlined.
    for (int y = 16; y < 32; ++y)
        for (int x = 20; x < 40; ++x)
            flat.row(y)[3 * x] = flat.row(y)[3 * x + 1] = flat.row(y)[3 * x + 2] = 20;
    const Image drawing = applyCore(effect::pencil, flat, 50);
    EXPECT_GT(drawing.row(5)[3 * 5], 200);
    EXPECT_LT(drawing.row(16)[3 * 30], drawing.row(5)[3 * 5] - 100);
    EXPECT_GT(drawing.row(24)[3 * 30], 190); // inside the square: shading, no line

    // Soft focus spreads the square's edge: pixels next to it are no longer what they were.
    const Image soft = applyCore(effect::softFocus, flat, 100);
    EXPECT_NE(soft.row(24)[3 * 19], 200);
}
