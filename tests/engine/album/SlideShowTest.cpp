#include "album/SlideShow.h"
#include "album/AlbumFile.h"
#include "album/SlideFrame.h"
#include "album/Transition.h"
#include "image/Allocator.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

std::vector<Slide> slides(int n)
{
    std::vector<Slide> out;
    for (int i = 0; i < n; ++i)
        out.push_back({ "/p/" + std::to_string(i), "" });
    return out;
}

TEST(SlideShow, TicksEnterAndLooping)
{
    SlideShow show(slides(2), { true, true, 5 });
    EXPECT_EQ(show.timerInterval(), 400);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(show.tick(false), SlideShow::Action::None);
    EXPECT_EQ(show.tick(false), SlideShow::Action::NextPhoto) << "the 10th tick moves on";
    EXPECT_EQ(show.currentIndex(), 1);
    EXPECT_EQ(show.ticks(), 0);
    show.tick(false);
    EXPECT_EQ(show.enter(), SlideShow::Action::NextPhoto) << "Enter moves on at once";
    EXPECT_EQ(show.currentIndex(), 0) << "looped to the first photo";
    EXPECT_EQ(show.tick(true), SlideShow::Action::Close) << "the abort key closes";

    SlideShow once(slides(2), { true, false, 1 });
    EXPECT_EQ(once.timerInterval(), 80);
    EXPECT_EQ(once.enter(), SlideShow::Action::NextPhoto);
    EXPECT_EQ(once.enter(), SlideShow::Action::Close) << "no loop: closes after the last photo";
}

TEST(SlideShow, ChoosesEffectsOnlyWhenTransitionsAreOn)
{
    ClassicRandom random(12);
    SlideShow off(slides(1), { false, true, 5 });
    SlideShow on(slides(1), { true, true, 5 });
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(off.chooseEffect(random), 0);
        const int e = on.chooseEffect(random);
        EXPECT_GE(e, 1);
        EXPECT_LE(e, 132);
    }
}

TEST(SlideFrame, FitsWithoutEnlargingAndCentres)
{
    EXPECT_EQ(fitSlide({ 3000, 2000 }, { 1024, 768 }), (Size { 1024, 682 }));
    EXPECT_EQ(fitSlide({ 300, 200 }, { 1024, 768 }), (Size { 300, 200 }));
    EXPECT_EQ(fitSlide({ 2000, 3000 }, { 1024, 768 }), (Size { 512, 768 }));
    const SlidePlacement p = placeSlide({ 3000, 2000 }, { 1024, 768 });
    EXPECT_EQ(p.offset, (Point { 0, 43 }));
    EXPECT_EQ(p.bands, (std::vector<Rect> { { 0, 0, 1024, 43 }, { 0, 725, 1024, 768 } }));
    const SlidePlacement small = placeSlide({ 300, 200 }, { 1024, 768 });
    EXPECT_EQ(small.offset, (Point { 362, 284 }));
    EXPECT_EQ(small.bands.size(), 4u);

    const CaptionPlacement caption = placeCaption({ 800, 600 });
    EXPECT_EQ(caption.shadowRect, (Rect { 0, 12, 800, 600 }));
    EXPECT_EQ(caption.textRect, (Rect { 0, 10, 796, 600 }));
    EXPECT_EQ(unreadableSlideCaption("/a/b.jpg"), "Cannot open the file: /a/b.jpg");
}

TEST(SlideFrame, SamplesThroughPaletteAndGammaAndTransitionsPaintTheFrame)
{
    test::FakeHost host;
    Allocator allocator(host);
    Image photo = std::move(Image::create(4, 2, 4)).value();
    photo.setColor(1, Rgbq { 10, 20, 30, 0 });
    photo.row(0)[0] = 0x01; // pixel (1, 0) has index 1
    std::array<GammaTable, 3> gamma {};
    for (int i = 0; i < 256; ++i) {
        gamma[0][std::size_t(i)] = std::uint8_t(i + 1); // red
        gamma[1][std::size_t(i)] = std::uint8_t(i + 2); // green
        gamma[2][std::size_t(i)] = std::uint8_t(i + 3); // blue
    }
    auto fitted = fitSlidePicture(photo, { 2, 1 }, gamma, allocator);
    ASSERT_TRUE(fitted);
    // Column 1 of the fitted picture samples source column 2: index 0 (black).
    EXPECT_EQ(std::vector<int>(fitted->row(0), fitted->row(0) + 6), (std::vector<int> { 3, 2, 1, 3, 2, 1 }));
    auto big = fitSlidePicture(photo, { 4, 2 }, gamma, allocator);
    ASSERT_TRUE(big);
    EXPECT_EQ(std::vector<int>(big->row(0) + 3, big->row(0) + 6), (std::vector<int> { 13, 22, 31 }));

    const Image picture = test::gradientPhoto(30, 20);
    Image frame = std::move(Image::create(40, 24, 24)).value();
    fillBlack(frame);
    const SlidePlacement p = placeSlide({ 30, 20 }, { 40, 24 });
    ImageSlideCanvas canvas(frame, picture, p.offset);
    struct NoWait : TransitionDriver {
        std::int64_t t = 0;
        std::int64_t milliseconds() override { return t; }
        void waitBriefly() override { ++t; }
        bool abortRequested() override { return false; }
    } driver;
    ClassicRandom random;
    ASSERT_TRUE(runTransition(92, canvas, { 30, 20 }, driver, random));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 35 && y >= 2 && y < 22;
            const std::uint8_t* got = frame.row(y) + 3 * x;
            const std::uint8_t* want = inside ? picture.row(y - 2) + 3 * (x - 5) : nullptr;
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(got[k], want ? want[k] : 0) << x << "," << y;
        }

    // The canvas reports the frame's part its copies changed since it was last asked, in frame
    // pixels (the picture sits at 5, 2), then forgets it.
    const Rect all = canvas.takeChanged();
    EXPECT_EQ(all, (Rect { 5, 2, 35, 22 }));
    EXPECT_TRUE(canvas.takeChanged().isEmpty());
    canvas.copy(Rect { 1, 1, 3, 2 }, Point { 10, 4 });
    canvas.copy(Rect { 0, 0, 1, 1 }, Point { 2, 9 });
    EXPECT_EQ(canvas.takeChanged(), (Rect { 7, 6, 17, 12 }));
}

TEST(SlideList, ReadsPathsAndCaptionsOfTheRecords)
{
    test::TempDir dir;
    test::FakeHost host;
    Allocator allocator(host);
    AlbumList album;
    album.append(test::photoItem(allocator, "samples\\a.jpg", 8, 0, 0, "Beach"));
    album.photos()[0].record.pathKind = 1;
    album.append(test::photoItem(allocator, "/abs/b.jpg", 8));
    ASSERT_TRUE(saveAlbum(album, dir / "a.abm", host));
    auto list = readSlideList(dir / "a.abm", "/prog");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].path, "/prog/samples/a.jpg");
    EXPECT_EQ((*list)[0].caption, "Beach");
    EXPECT_EQ((*list)[1].path, "/abs/b.jpg");

    std::string bytes = test::readFile(dir / "a.abm");
    test::writeFile(dir / "short.abm", bytes.substr(0, 144 + 288 + 20));
    auto shortList = readSlideList(dir / "short.abm", "/prog");
    ASSERT_TRUE(shortList);
    EXPECT_EQ(shortList->size(), 1u) << "stops at the short record";
    test::writeFile(dir / "bad.abm", "PALX" + bytes.substr(4));
    EXPECT_FALSE(readSlideList(dir / "bad.abm", "/prog"));
    EXPECT_FALSE(readSlideList(dir / "missing.abm", "/prog"));
}

} // namespace
