#include "editing/transform/Flip.h"
#include "editing/selection/LiftSelection.h"
#include "editing/transform/QuarterTurn.h"
#include "editing/transform/Resample.h"
#include "editing/transform/Rotate.h"
#include "app/TransformCommands.h"
#include "shell/CommandIds.h"

#include "EditingApp.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

using namespace gp;
using namespace gp::test;

namespace {

class TransformCommands : public EditingApp {
protected:
    Allocator& allocator() { return app.allocator(); }
};

// The pixels of a rectangle of a picture, for comparing selections.
Image cut(const Image& picture, Rect area)
{
    FakeHost quiet;
    Allocator allocator(quiet);
    return *liftSelection(picture, area, Rgb {}, allocator);
}

} // namespace

TEST_F(TransformCommands, WholePictureFlipUndoesAndRedoes)
{
    const Image original = randomImage(21, 13, 24, 1);
    Document& document = open(original);
    EXPECT_EQ(app.execute(command::FlipHorizontal), 1);
    EXPECT_TRUE(document.state().modified);
    const Image flipped = *flipHorizontal(original, allocator());
    EXPECT_TRUE(sameImage(document.image(), flipped));
    EXPECT_EQ(app.undoRecord().code(), 1012);

    EXPECT_EQ(app.execute(command::Undo), 1);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_EQ(app.undoRecord().code(), -1012);
    EXPECT_EQ(app.execute(command::Undo), 1);
    EXPECT_TRUE(sameImage(document.image(), flipped));

    EXPECT_EQ(app.execute(command::FlipVertical), 1);
    EXPECT_EQ(app.undoRecord().code(), 1013);
    EXPECT_TRUE(sameImage(document.image(), *flipVertical(flipped, allocator())));
}

TEST_F(TransformCommands, RotateMenuAndDialogMapToClockwiseTurns)
{
    const Image original = randomImage(9, 5, 24, 2);
    Document& document = open(original);
    const Image left = *rotateQuarterTurns(original, 270, allocator());
    const Image right = *rotateQuarterTurns(original, 90, allocator());

    EXPECT_EQ(app.execute(command::RotateLeft90), 1);
    EXPECT_TRUE(sameImage(document.image(), left));
    EXPECT_EQ(document.state().width, 5);
    EXPECT_EQ(document.state().height, 9);
    EXPECT_EQ(app.undoRecord().code(), 1015);
    app.execute(command::Undo);

    host.rotateField = "90"; // counter-clockwise as typed: the same as Left 90
    EXPECT_EQ(app.execute(command::RotateByDegrees), 1);
    EXPECT_TRUE(sameImage(document.image(), left));
    EXPECT_EQ(app.transformMemory().lastAngle, 90);
    app.execute(command::Undo);

    host.rotateField = "-90";
    EXPECT_EQ(app.execute(command::RotateByDegrees), 1);
    EXPECT_TRUE(sameImage(document.image(), right));
    EXPECT_EQ(app.transformMemory().lastAngle, 270);
    app.execute(command::Undo);

    for (const char* nothing : { "0", "360" }) {
        host.rotateField = nothing;
        EXPECT_EQ(app.execute(command::RotateByDegrees), 0);
        EXPECT_TRUE(sameImage(document.image(), original));
    }
    host.rotateField.reset();
    EXPECT_EQ(app.execute(command::RotateByDegrees), 0);

    EXPECT_EQ(app.execute(command::Rotate180), 1);
    EXPECT_TRUE(sameImage(document.image(), *rotateQuarterTurns(original, 180, allocator())));
}

TEST_F(TransformCommands, SelectionFlipMirrorsTheSelectionInPlaceAndUndoes)
{
    const Image original = randomImage(20, 16, 24, 3);
    Document& document = open(original);
    const Rect area { 5, 4, 13, 10 };
    select(document, area);
    EXPECT_EQ(app.execute(command::FlipHorizontal), 1);
    EXPECT_EQ(app.undoRecord().code(), 4012);
    EXPECT_EQ(document.state().selection, area);
    ASSERT_TRUE(document.state().floating);
    EXPECT_TRUE(sameImage(cut(document.image(), area), *flipHorizontal(cut(original, area), allocator())));
    EXPECT_EQ(screenPixel(document.image(), 0, 0), screenPixel(original, 0, 0));

    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_EQ(document.state().selection, area);
    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(cut(document.image(), area), *flipHorizontal(cut(original, area), allocator())));

    // A second flip works on the floating selection: the picture returns to the original.
    app.execute(command::FlipHorizontal);
    EXPECT_TRUE(sameImage(document.image(), original));
}

TEST_F(TransformCommands, FourTurnsOfTenDegreesEqualOneOfFortyAndUndoInOneStep)
{
    const Image original = randomImage(60, 50, 24, 4);
    const Rect area { 10, 12, 40, 32 };
    Document& stepped = open(original, "a.bmp");
    select(stepped, area, ellipseMask(30, 20));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rotateActive(app, 10), 1);
    EXPECT_EQ(app.transformMemory().selectionRotation, 40);
    EXPECT_EQ(app.undoRecord().code(), 4015);
    const Image steppedPicture = stepped.image().clone();
    const Rect steppedArea = stepped.state().selection;
    const Image steppedFloating = stepped.state().floating->clone();
    const Image steppedMask = stepped.state().mask->clone();

    // One Undo gives back the unturned selection; the next one turns it again.
    EXPECT_EQ(app.execute(command::Undo), 1);
    EXPECT_TRUE(sameImage(stepped.image(), original));
    EXPECT_EQ(stepped.state().selection, area);
    EXPECT_TRUE(sameImage(*stepped.state().mask, ellipseMask(30, 20)));
    EXPECT_EQ(app.execute(command::Undo), 1);
    EXPECT_TRUE(sameImage(stepped.image(), steppedPicture));

    Document& once = open(original, "b.bmp");
    select(once, area, ellipseMask(30, 20));
    EXPECT_EQ(rotateActive(app, 40), 1);
    EXPECT_TRUE(sameImage(steppedPicture, once.image()));
    EXPECT_EQ(steppedArea, once.state().selection);
    EXPECT_TRUE(sameImage(steppedFloating, *once.state().floating));
    EXPECT_TRUE(sameImage(steppedMask, *once.state().mask));
}

TEST_F(TransformCommands, TurnedSelectionStaysCentredAndIsTrimmedToItsPixels)
{
    const Image original = randomImage(40, 40, 24, 5);
    Document& document = open(original);
    // Only the top row of the 10 × 4 rectangle is selected.
    Image mask = Image::createMask(10, 4).value();
    for (int x = 0; x < 10; ++x)
        setPixelIndex(mask.row(0), x, 1, 1);
    select(document, Rect { 10, 10, 20, 14 }, std::move(mask));
    EXPECT_EQ(app.execute(command::RotateRight90), 1);
    // Turned: 4 × 10 centred at left 10 - (4 - 10) / 2 = 13, top 10 - (10 - 4) / 2 = 7; the
    // selected row becomes the rightmost column.
    EXPECT_EQ(document.state().selection, (Rect { 16, 7, 17, 17 }));
    EXPECT_EQ(document.state().mask->width(), 1);
    EXPECT_EQ(document.state().floating->width(), 1);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(screenPixel(document.image(), 16, 7 + y), screenPixel(original, 10 + y, 10));
}

TEST_F(TransformCommands, CropLeavesTheEllipseCornersInTheActiveColour)
{
    app.settings().active = Rgb { 1, 2, 3 };
    const Image original = randomImage(50, 40, 24, 6);
    Document& document = open(original);
    const Rect area { 5, 6, 35, 26 };
    select(document, area, ellipseMask(30, 20));
    EXPECT_EQ(cropToSelection(app), 1);
    EXPECT_EQ(document.image().width(), 30);
    EXPECT_EQ(document.state().height, 20);
    EXPECT_EQ(screenPixel(document.image(), 0, 0), (Bgr { 3, 2, 1 }));
    EXPECT_EQ(screenPixel(document.image(), 29, 19), (Bgr { 3, 2, 1 }));
    EXPECT_EQ(screenPixel(document.image(), 15, 10), screenPixel(original, 20, 16));
    EXPECT_FALSE(document.state().mask);
    EXPECT_FALSE(document.state().selectionShown);
    EXPECT_TRUE(document.state().modified);
    EXPECT_EQ(app.undoRecord().code(), 11005);

    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_EQ(document.state().selection, area);
    EXPECT_TRUE(document.state().mask);
    EXPECT_EQ(cropToSelection(app), 1);
    EXPECT_EQ(document.image().width(), 30);
}

TEST_F(TransformCommands, DiscardTakesAFloatingSelectionsContentAway)
{
    const Image original = randomImage(20, 20, 24, 7);
    Document& document = open(original);
    EXPECT_EQ(app.execute(command::Discard), 0); // no selection: nothing happens
    select(document, Rect { 2, 2, 12, 12 });
    app.execute(command::FlipVertical);
    const Image flipped = document.image().clone();
    EXPECT_EQ(app.execute(command::Discard), 1);
    EXPECT_EQ(app.undoRecord().code(), 4078);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_FALSE(document.state().mask);
    EXPECT_FALSE(document.state().floating);
    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), flipped));
    EXPECT_EQ(document.state().selection, (Rect { 2, 2, 12, 12 }));
    // Edit > Delete discards the same way.
    EXPECT_EQ(app.execute(command::Delete), 1);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_FALSE(document.state().floating);
}

TEST_F(TransformCommands, ImageSizeChangesOnlyTheResolutionOrMakesANewDocument)
{
    const Image original = randomImage(200, 100, 24, 8);
    Document& document = open(original);
    host.imageSizeDialog = [](ImageSizeModel& model) { return model.editResolution("300") && model.acceptable(); };
    host.answers.push_back(Answer::Yes);
    EXPECT_EQ(app.execute(command::ImageSize), 1);
    EXPECT_EQ(host.questions.back().text, "Change resolution without creating a new document?");
    EXPECT_EQ(host.questions.back().caption, "Glimmerpress");
    EXPECT_EQ(document.image().xPelsPerMeter(), 11811);
    EXPECT_EQ(app.documents().count(), 1u);
    EXPECT_TRUE(
        std::equal(document.image().pixels().begin(), document.image().pixels().end(), original.pixels().begin()));

    host.imageSizeDialog = [](ImageSizeModel& model) {
        model.toggleKeepAspect();
        return model.editWidth("50") && model.acceptable();
    };
    EXPECT_EQ(app.execute(command::ImageSize), 0);
    EXPECT_FALSE(app.transformMemory().keepAspect);
    ASSERT_EQ(app.documents().count(), 2u);
    Document* made = app.activeDocument();
    EXPECT_NE(made, &document);
    EXPECT_EQ(made->title(), "Untitled-Resampled-00");
    EXPECT_EQ(made->image().width(), 50);
    EXPECT_EQ(made->image().height(), 100);
    EXPECT_EQ(document.image().width(), 200);
    EXPECT_TRUE(app.undoRecord().isEmpty());
}

TEST_F(TransformCommands, HandlesResizeFromTheStateFirstLifted)
{
    const Image original = randomImage(60, 60, 24, 9);
    Document& document = open(original);
    const Rect area { 10, 10, 30, 20 };
    select(document, area);
    EXPECT_EQ(resizeByHandles(app, { Point { 10, 10 }, Point { 50, 10 }, Point { 10, 30 }, Point { 50, 30 } }), 1);
    EXPECT_EQ(document.state().selection, (Rect { 10, 10, 50, 30 }));
    EXPECT_EQ(app.undoRecord().code(), 4016);
    EXPECT_EQ(resizeByHandles(app, { Point { 10, 10 }, Point { 40, 10 }, Point { 10, 25 }, Point { 40, 25 } }), 1);
    const Image direct = *resample(cut(original, area), 30, 15, 96, allocator());
    EXPECT_TRUE(samePixels(cut(document.image(), Rect { 10, 10, 40, 25 }), direct));
    app.execute(command::Undo);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_EQ(document.state().selection, area);

    app.undoRecord().drop();
    document.state().mask.reset();
    document.state().floating.reset();
    document.state().selectionShown = false;
    EXPECT_EQ(resizeByHandles(app, { Point { 0, 0 }, Point { 30, 0 }, Point { 0, 20 }, Point { 30, 20 } }), 1);
    EXPECT_EQ(document.image().width(), 30);
    EXPECT_EQ(app.undoRecord().code(), 1016);
}

TEST_F(TransformCommands, FailureLeavesTheDocumentAsItWas)
{
    const Image original = randomImage(64, 64, 24, 10);
    Document& document = open(original);
    // Escape at the first poll: over the worker pool, how often the caller polls depends on how
    // the row bands fell between the threads.
    host.escapeAfterPolls = host.escapePolls;
    EXPECT_EQ(app.execute(command::RotateRight90), 0);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_TRUE(app.undoRecord().isEmpty());

    host.escapeAfterPolls = -1;
    select(document, Rect { 4, 4, 60, 60 });
    app.allocator().setCeiling(12000); // enough to lift the selection, too little to turn it
    EXPECT_EQ(rotateActive(app, 30), 0);
    EXPECT_TRUE(sameImage(document.image(), original));
    EXPECT_FALSE(document.state().floating);
    EXPECT_EQ(host.messageTexts().back(), "There is not enough memory.");

    app.allocator().setCeiling(kDefaultBlockCeiling);
    app.execute(command::FlipHorizontal); // a floating selection exists from here on
    const Image withFloating = document.image().clone();
    app.allocator().setCeiling(12000);
    EXPECT_EQ(rotateActive(app, 30), 0);
    EXPECT_TRUE(sameImage(document.image(), withFloating));
    EXPECT_TRUE(document.state().floating);
}

TEST_F(TransformCommands, NothingHappensWithoutADocument)
{
    EXPECT_EQ(app.execute(command::FlipHorizontal), 0);
    EXPECT_EQ(app.execute(command::Rotate180), 0);
    EXPECT_EQ(app.execute(command::Undo), 0);
    EXPECT_EQ(cropToSelection(app), 0);
    EXPECT_EQ(host.beeps, 0);
}

namespace {

// Two programs, one working its pixels on the calling thread alone and one on two threads.
class TransformThreads : public EditingApp {
protected:
    std::unique_ptr<App> withThreads(const char* threads)
    {
        const char* before = std::getenv("GLIMMERPRESS_THREADS");
        const std::string kept = before ? before : "";
        setenv("GLIMMERPRESS_THREADS", threads, 1);
        auto made = std::make_unique<App>(host, Paths { dir.path(), dir.path(), dir.path(), dir.path() });
        if (before)
            setenv("GLIMMERPRESS_THREADS", kept.c_str(), 1);
        else
            unsetenv("GLIMMERPRESS_THREADS");
        return made;
    }

    static Document& openIn(App& program, const Image& image)
    {
        Document* document = program.documents().create(Image::create(1, 1, 24).value(), "photo.bmp");
        document->replaceImage(std::make_shared<Image>(image.clone()));
        return *document;
    }

    static ::testing::AssertionResult sameState(const Document& a, const Document& b)
    {
        const DocumentState &sa = a.state(), &sb = b.state();
        if (!sameImage(a.image(), b.image()))
            return ::testing::AssertionFailure() << "the pictures differ";
        if (sa.selection != sb.selection || sa.selectionShown != sb.selectionShown)
            return ::testing::AssertionFailure() << "the selections differ";
        if (bool(sa.mask) != bool(sb.mask) || (sa.mask && !sameImage(*sa.mask, *sb.mask)))
            return ::testing::AssertionFailure() << "the masks differ";
        if (bool(sa.floating) != bool(sb.floating) || (sa.floating && !sameImage(*sa.floating, *sb.floating)))
            return ::testing::AssertionFailure() << "the floating selections differ";
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST_F(TransformThreads, SelectionAndWholePictureTransformsAreTheSameOnTwoThreads)
{
    const auto one = withThreads("1");
    const auto two = withThreads("2");
    ASSERT_EQ(one->workers().threadCount(), 1);
    ASSERT_EQ(two->workers().threadCount(), 2);
    // Each step in both programs in turn; odd sizes, an elliptic selection tall enough to be split
    // into bands, and every depth a transform takes.
    const std::vector<std::function<int(App&)>> steps {
        [](App& program) { return program.execute(command::FlipHorizontal); },
        [](App& program) { return program.execute(command::FlipVertical); },
        [](App& program) { return rotateActive(program, 33); },
        [](App& program) { return rotateActive(program, 90); },
        [](App& program) {
            return resizeByHandles(program, { Point { 3, 5 }, Point { 120, 5 }, Point { 3, 150 }, Point { 120, 150 } });
        },
        [](App& program) { return program.execute(command::Discard); },
        [](App& program) { return program.execute(command::FlipHorizontal); },
        [](App& program) { return program.execute(command::FlipVertical); },
        [](App& program) { return program.execute(command::Rotate180); },
        [](App& program) { return rotateActive(program, 347); },
    };
    for (int bits : { 24, 8, 4, 1 }) {
        const Image original = randomImage(161, 143, bits, unsigned(bits));
        Document& a = openIn(*one, original);
        Document& b = openIn(*two, original);
        select(a, Rect { 9, 7, 120, 136 }, ellipseMask(111, 129));
        select(b, Rect { 9, 7, 120, 136 }, ellipseMask(111, 129));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(steps[i](*one), steps[i](*two)) << bits << " bits, step " << i;
            EXPECT_TRUE(sameState(a, b)) << bits << " bits, step " << i;
        }
    }
}
