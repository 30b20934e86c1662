#include "FakeHost.h"
#include "Pictures.h"
#include "editing/effects/Blur.h"
#include "editing/EditingMemory.h"
#include "editing/PreviewSession.h"

#include <gtest/gtest.h>

namespace gp {
namespace {

TEST(PreviewSample, FitsTheInnerSize)
{
    EXPECT_EQ(previewInnerSize({ 208, 208 }), (Size { 206, 206 }));
    EXPECT_EQ(previewFitSize({ 400, 300 }, { 206, 206 }), (Size { 206, 155 }));
    EXPECT_EQ(previewFitSize({ 300, 400 }, { 206, 206 }), (Size { 155, 206 }));
    EXPECT_EQ(previewFitSize({ 50, 50 }, { 206, 180 }), (Size { 206, 206 })); // square: the width rules
    EXPECT_EQ(previewFitSize({ 4000, 3 }, { 206, 206 }), (Size { 206, 1 }));
}

TEST(PreviewSample, PanCropStartsCentredAndStaysInside)
{
    PanCrop crop({ 500, 300 }, { 206, 206 });
    EXPECT_EQ(crop.rect(), (Rect { 147, 47, 353, 253 }));
    crop.drag(-1000, 10);
    EXPECT_EQ(crop.rect(), (Rect { 0, 57, 206, 263 }));
    crop.drag(5000, 5000);
    EXPECT_EQ(crop.rect(), (Rect { 294, 94, 500, 300 }));

    PanCrop small({ 100, 50 }, { 206, 206 });
    EXPECT_EQ(small.rect(), (Rect { 0, 0, 100, 50 }));
    small.drag(3, 3);
    EXPECT_EQ(small.rect(), (Rect { 0, 0, 100, 50 }));
}

TEST(PreviewSample, AveragesTrueColourAndPicksPaletteIndexes)
{
    test::FakeHost host;
    Allocator allocator(host);
    const Image gray = test::grayPictureByStoredRow(4, 4, [](int x, int y) { return x * 10 + y * 41; });
    auto half = fitSample(gray, { 2, 2 }, allocator);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->width(), 2);
    EXPECT_EQ(half->color(200), gray.color(200));
    // Picture rows 0..1 from the top are stored rows 3 and 2.
    EXPECT_EQ(half->row(0)[0], (0 + 10 + 0 + 10 + 2 * (3 * 41 + 2 * 41) + 2) / 4);

    Image indexed = Image::create(4, 2, 4).value();
    indexed.setColor(5, Rgbq { 1, 2, 3, 0 });
    for (int y = 0; y < 2; ++y)
        indexed.storedRow(y)[0] = indexed.storedRow(y)[1] = 0x55;
    auto sample = fitSample(indexed, { 2, 2 }, allocator);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->bitsPerPixel(), 4);
    EXPECT_EQ(sample->width(), 2);
    EXPECT_EQ(sample->height(), 1);
    EXPECT_EQ(sample->row(0)[0], 0x55);
    EXPECT_EQ(sample->color(5), (Rgbq { 1, 2, 3, 0 }));
}

// Every sample pixel the rounded mean of the source pixels it covers, added up one by one.
Image plainFit(const Image& source, Size size)
{
    Image sample = Image::create(size.width, size.height, source.bitsPerPixel(), source.colorCount()).value();
    for (int i = 0; i < source.colorCount(); ++i)
        sample.setColor(i, source.color(i));
    const int ch = source.bitsPerPixel() / 8;
    for (int y = 0; y < size.height; ++y) {
        const int top = int(std::int64_t(y) * source.height() / size.height);
        const int bottom = std::min(source.height(), std::max(top + 1, int(std::int64_t(y + 1) * source.height() / size.height)));
        for (int x = 0; x < size.width; ++x) {
            const int left = int(std::int64_t(x) * source.width() / size.width);
            const int right = std::min(source.width(), std::max(left + 1, int(std::int64_t(x + 1) * source.width() / size.width)));
            for (int k = 0; k < ch; ++k) {
                std::uint64_t sum = 0;
                for (int sy = top; sy < bottom; ++sy)
                    for (int sx = left; sx < right; ++sx)
                        sum += source.row(sy)[sx * ch + k];
                const std::uint64_t count = std::uint64_t(bottom - top) * std::uint64_t(right - left);
                sample.row(y)[x * ch + k] = std::uint8_t((sum + count / 2) / count);
            }
        }
    }
    return sample;
}

TEST(PreviewSample, ColumnSumsGiveThePlainMeansOnOddSizes)
{
    test::FakeHost host;
    Allocator allocator(host);
    const auto noisy = [](int x, int y) { return (x * 7919 + y * 104729) % 251; };
    const Image colour = test::rgbPictureByStoredRow(1001, 367, [&](int x, int y) {
        return test::Bgr { std::uint8_t(noisy(x, y)), std::uint8_t(noisy(y, x)), std::uint8_t(x + y) };
    });
    const Image gray = test::grayPictureByStoredRow(333, 1000, noisy);
    for (const Image* source : { &colour, &gray })
        for (const Size inner : { Size { 206, 206 }, Size { 412, 412 }, Size { 37, 5 }, Size { 1500, 1500 } }) {
            const Size size = previewFitSize({ source->width(), source->height() }, inner);
            auto sample = fitSample(*source, inner, allocator);
            ASSERT_TRUE(sample);
            EXPECT_EQ(test::checksum(*sample), test::checksum(plainFit(*source, size)))
                << source->bitsPerPixel() << " bits into " << inner.width << "x" << inner.height;
        }
}

TEST(PreviewSession, DenseScreensGetTwiceThePixelsAndDragsFollowTheMouse)
{
    test::FakeHost host;
    Allocator allocator(host);
    const Image source = test::rgbPictureByStoredRow(1200, 800, [](int x, int y) {
        return test::Bgr { std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y) };
    });
    PreviewSession one, two;
    ASSERT_TRUE(one.open(source, { 208, 208 }, allocator));
    ASSERT_TRUE(two.open(source, { 208, 208 }, allocator, 2));
    EXPECT_EQ(two.density(), 2);
    EXPECT_EQ(one.before()->width(), 206);
    EXPECT_EQ(two.before()->width(), 2 * one.before()->width());
    EXPECT_EQ(two.before()->height(), 2 * one.before()->height());
    const std::uint64_t fitted = test::checksum(*two.before());

    // Pan Mode shows the source pixel for device pixel; a drag of one window pixel moves it by two.
    ASSERT_TRUE(one.setPanMode(true));
    ASSERT_TRUE(two.setPanMode(true));
    EXPECT_EQ(two.before()->width(), 412);
    EXPECT_EQ(two.panRect(), (Rect { 394, 194, 806, 606 }));
    const Rect before = one.panRect();
    ASSERT_TRUE(one.drag(-7, 5));
    ASSERT_TRUE(two.drag(-7, 5));
    EXPECT_EQ(one.panRect().left, before.left - 7);
    EXPECT_EQ(two.panRect().left, 394 - 14);
    EXPECT_EQ(two.panRect().top, 194 + 10);
    EXPECT_EQ(two.before()->row(0)[0], source.row(204)[380 * 3]);

    // Leaving Pan Mode shows the fitted picture made when the session opened.
    ASSERT_TRUE(two.setPanMode(false));
    EXPECT_EQ(test::checksum(*two.before()), fitted);
    EXPECT_EQ(test::checksum(*two.after()), fitted);
}

TEST(PreviewCountdown, ComputesOnTheFifthTickAfterAChange)
{
    PreviewCountdown countdown;
    EXPECT_FALSE(countdown.tick());
    countdown.changed();
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(countdown.tick()) << i;
    EXPECT_TRUE(countdown.tick());
    EXPECT_FALSE(countdown.running());
    EXPECT_FALSE(countdown.tick());
    countdown.changed();
    countdown.tick();
    countdown.tick();
    countdown.changed(); // a new change starts over
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(countdown.tick());
    EXPECT_TRUE(countdown.tick());
}

TEST(PreviewSession, BuildsComputesAndPans)
{
    test::FakeHost host;
    Allocator allocator(host);
    const Image source = test::rgbPictureByStoredRow(120, 80, [](int x, int y) {
        return test::Bgr { std::uint8_t(x * 2), std::uint8_t(y * 3), std::uint8_t((x * y) % 256) };
    });
    PreviewSession session;
    ASSERT_TRUE(session.open(source, { 60, 60 }, allocator));
    ASSERT_NE(session.before(), nullptr);
    EXPECT_EQ(session.before()->width(), 58);
    EXPECT_EQ(session.before()->height(), 39);
    EXPECT_EQ(test::checksum(*session.after()), test::checksum(*session.before()));

    FilterRun quiet { allocator, host, false };
    int computed = 0;
    const auto blurred = [&](const Image& sample) {
        ++computed;
        return blur(sample, 8, quiet);
    };
    session.changed();
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(session.tick(blurred));
    EXPECT_TRUE(session.tick(blurred));
    EXPECT_EQ(computed, 1);
    EXPECT_NE(test::checksum(*session.after()), test::checksum(*session.before()));
    EXPECT_EQ(host.escapePolls, 0);

    session.changed();
    const auto nothing = [](const Image&) { return std::optional<Image>(); };
    for (int i = 0; i < 5; ++i)
        session.tick(nothing);
    EXPECT_EQ(test::checksum(*session.after()), test::checksum(*session.before()));

    ASSERT_TRUE(session.setPanMode(true));
    EXPECT_EQ(session.panRect(), (Rect { 31, 11, 89, 69 }));
    ASSERT_TRUE(session.drag(5, -20));
    EXPECT_EQ(session.panRect(), (Rect { 36, 0, 94, 58 }));
    EXPECT_EQ(session.before()->width(), 58);
    EXPECT_EQ(session.before()->row(0)[0], source.row(0)[36 * 3]);
    EXPECT_EQ(session.before()->row(57)[3 * 57 + 1], source.row(57)[93 * 3 + 1]);

    ASSERT_TRUE(session.setPanMode(false));
    EXPECT_EQ(session.before()->height(), 39);
    EXPECT_FALSE(session.drag(1, 1));
    session.close();
    EXPECT_EQ(session.before(), nullptr);
    EXPECT_EQ(session.after(), nullptr);
}

TEST(EditingMemory, RemembersIntensitiesWhileTheProgramRuns)
{
    EditingMemory memory;
    EXPECT_EQ(memory.intensity(253), 50);
    EXPECT_EQ(memory.intensity(254), 50);
    memory.setIntensity(253, 130);
    EXPECT_EQ(memory.intensity(253), 100);
    EXPECT_EQ(memory.intensity(254), 50);

    EXPECT_EQ(memory.chooseEffect(305), 75);
    EXPECT_EQ(memory.currentEffect(), 5);
    memory.setIntensity(305, 12);
    EXPECT_EQ(memory.chooseEffect(300), 75);
    EXPECT_EQ(memory.chooseEffect(318), 75); // the browser keeps the current effect
    EXPECT_EQ(memory.currentEffectCommand(), 300);
    EXPECT_EQ(memory.chooseEffect(305), 12);

    memory.setToneChannel(ToneChannel::Blue);
    EXPECT_EQ(memory.toneChannel(false), ToneChannel::Blue);
    EXPECT_EQ(memory.toneChannel(true), ToneChannel::All);
}

} // namespace
} // namespace gp
