#include "album/Transition.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gp;

namespace {

// Records which picture pixel each area pixel shows, and any copy that leaves the picture.
struct RecordingCanvas : SlideCanvas {
    RecordingCanvas(int w, int h)
        : width(w)
        , height(h)
        , frame(std::size_t(w * h), -1)
    {
    }

    void copy(const Rect& source, Point target) override
    {
        ++copies;
        copiedPixels += (long long)source.width() * source.height();
        const bool inside = source.left >= 0 && source.top >= 0 && source.right <= width && source.bottom <= height
            && !source.isEmpty() && target.x >= 0 && target.y >= 0 && target.x + source.width() <= width
            && target.y + source.height() <= height;
        if (!inside) {
            ++outside;
            return;
        }
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                frame[std::size_t((target.y + y) * width + target.x + x)] = (source.top + y) * width + source.left + x;
    }

    bool showsPicture() const
    {
        for (std::size_t i = 0; i < frame.size(); ++i)
            if (frame[i] != int(i))
                return false;
        return true;
    }

    int width;
    int height;
    std::vector<int> frame;
    int copies = 0;
    int outside = 0;
    long long copiedPixels = 0;
};

// A clock that moves only while the pacer waits, and an abort key that goes down after a
// number of polls.
struct VirtualDriver : TransitionDriver {
    std::int64_t now = 0;
    int abortAfter = -1;
    int polls = 0;
    int shown = 0;
    std::vector<std::int64_t> pollTimes;

    std::int64_t milliseconds() override { return now; }
    void waitBriefly() override { ++now; }
    void showStep() override { ++shown; }
    bool abortRequested() override
    {
        pollTimes.push_back(now);
        return abortAfter >= 0 && ++polls > abortAfter;
    }
};

TEST(Transition, EveryEffectEndsOnTheWholePictureWithinItsArea)
{
    const Size sizes[] = { { 1, 1 }, { 2, 3 }, { 5, 7 }, { 17, 9 }, { 64, 48 }, { 97, 61 }, { 33, 200 }, { 161, 120 } };
    for (int effect = 0; effect <= kTransitionCount; ++effect)
        for (const Size size : sizes) {
            RecordingCanvas canvas(size.width, size.height);
            VirtualDriver driver;
            ClassicRandom random(std::uint32_t(effect * 7 + size.width));
            ASSERT_TRUE(runTransition(effect, canvas, size, driver, random));
            EXPECT_EQ(canvas.outside, 0) << "effect " << effect << " at " << size.width << "x" << size.height;
            EXPECT_TRUE(canvas.showsPicture()) << "effect " << effect << " at " << size.width << "x" << size.height;
            EXPECT_LE(driver.now, kTransitionMilliseconds) << "effect " << effect;
            EXPECT_GE(driver.shown, 1);
        }
}

TEST(Transition, TheRandomSplitCopiesEveryPixelOnce)
{
    // Its lines open a little in every pass; copying whole lines again in each pass made the
    // effect far slower than its pacing at full-screen sizes.
    for (int effect = 101; effect <= 104; ++effect) {
        RecordingCanvas canvas(161, 120);
        VirtualDriver driver;
        ClassicRandom random(3);
        ASSERT_TRUE(runTransition(effect, canvas, { 161, 120 }, driver, random));
        EXPECT_TRUE(canvas.showsPicture()) << "effect " << effect;
        EXPECT_EQ(canvas.copiedPixels, 161 * 120) << "effect " << effect;
    }
}

TEST(Transition, EveryEffectStopsOnTheAbortKey)
{
    for (int effect = 0; effect <= kTransitionCount; ++effect) {
        RecordingCanvas canvas(160, 120);
        VirtualDriver driver;
        driver.abortAfter = 2;
        ClassicRandom random(5);
        const bool finished = runTransition(effect, canvas, { 160, 120 }, driver, random);
        EXPECT_EQ(finished, driver.shown <= 2) << "effect " << effect;
        EXPECT_LE(driver.shown, 3) << "no step after the key, effect " << effect;
        if (!finished) {
            EXPECT_FALSE(canvas.showsPicture()) << "effect " << effect << " stopped early";
        }
    }
}

TEST(Transition, EachStepWaitsForItsShareOfTheDuration)
{
    RecordingCanvas canvas(3, 7);
    VirtualDriver driver;
    ClassicRandom random;
    ASSERT_TRUE(runTransition(1, canvas, { 3, 7 }, driver, random));
    // 100 × (i + 1) div 7 after step i.
    EXPECT_EQ(driver.pollTimes, (std::vector<std::int64_t> { 14, 28, 42, 57, 71, 85, 100 }));

    // Drawing that takes longer than a step's share does not make later steps wait longer.
    struct SlowDriver : VirtualDriver {
        void showStep() override { now += 30; }
    } slow;
    RecordingCanvas other(3, 7);
    ASSERT_TRUE(runTransition(1, other, { 3, 7 }, slow, random));
    EXPECT_EQ(slow.pollTimes.back(), 7 * 30);
}

TEST(Transition, WipesAndTheLineGridDrawInTheirOrder)
{
    RecordingCanvas canvas(40, 40);
    VirtualDriver driver;
    driver.abortAfter = 0; // stop after the first step
    ClassicRandom random;
    EXPECT_FALSE(runTransition(56, canvas, { 40, 40 }, driver, random));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool drawn = canvas.frame[std::size_t(y * 40 + x)] >= 0;
            EXPECT_EQ(drawn, y % 16 == 0 || x % 16 == 0) << x << "," << y;
        }

    RecordingCanvas wipe(10, 6);
    VirtualDriver two;
    two.abortAfter = 1;
    EXPECT_FALSE(runTransition(6, wipe, { 10, 6 }, two, random));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(wipe.frame[std::size_t(x)] >= 0, x < 2 || x >= 8) << "two columns from each side";
}

TEST(Transition, RandomEffectsRepeatForTheSameSeed)
{
    for (int effect : { 29, 47, 67, 69, 84, 92, 96, 101, 125 }) {
        RecordingCanvas a(50, 30), b(50, 30);
        VirtualDriver da, db;
        da.abortAfter = db.abortAfter = 5;
        ClassicRandom ra(99), rb(99);
        (void)runTransition(effect, a, { 50, 30 }, da, ra);
        (void)runTransition(effect, b, { 50, 30 }, db, rb);
        EXPECT_EQ(a.frame, b.frame) << "effect " << effect;
    }
}

} // namespace
