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
