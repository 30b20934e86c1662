#include "app/ApplyEdit.h"
#include "editing/tone/BrightnessContrast.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "Pictures.h"
#include "app/AdjustmentCommands.h"
#include "app/App.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

#include <functional>

namespace gp {
namespace {

using test::Bgr;
using test::storedPixel;

// The dialogs answer from fields the test sets; each records the model and preview it was given.
class DialogHost : public test::FakeHost {
public:
    std::function<bool(BrightnessContrastModel&)> brightnessDialog;
    std::function<bool(ToneModel&)> toneDialog;
    std::function<bool(FilterDialogModel&)> filterDialog;
    std::function<bool(FilterDialogModel&)> effectBrowser;
    int dialogs = 0;
    int repaints = 0;
    std::optional<Image> lastPreview;

    bool runBrightnessContrastDialog(
        BrightnessContrastModel& model, const Image& source, const PreviewCompute& preview) override
    {
        return run(brightnessDialog, model, source, preview);
    }
    bool runHueSaturationDialog(HueSaturationModel&, const Image&, const PreviewCompute&) override
    {
        ++dialogs;
        return false;
    }
    bool runToneDialog(ToneModel& model, const Image& source, const PreviewCompute& preview) override
    {
        return run(toneDialog, model, source, preview);
    }
    bool runFilterDialog(FilterDialogModel& model, const Image& source, const PreviewCompute& preview) override
    {
        return run(filterDialog, model, source, preview);
    }
    bool runEffectBrowser(FilterDialogModel& model, const Image& source, const PreviewCompute& preview) override
    {
        return run(effectBrowser, model, source, preview);
    }
    void repaintDocument(const Document&, std::optional<Rect>) override { ++repaints; }

private:
    template <typename Model>
    bool run(
        const std::function<bool(Model&)>& answer, Model& model, const Image& source, const PreviewCompute& preview)
    {
        ++dialogs;
        lastPreview = preview(source);
        return answer && answer(model);
    }
};

class ApplyEdit : public ::testing::Test {
protected:
    test::TempDir dir;
    DialogHost host;
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };

    ApplyEdit() { registerAdjustmentCommands(app); }

    Document& open(const Image& image)
    {
        Document* document = app.documents().create(Image::create(1, 1, 24).value(), "photo.bmp");
        document->replaceImage(std::make_shared<Image>(image.clone()));
        return *document;
    }

    static void select(Document& document, Rect area, bool ellipse = false)
    {
        Image mask = Image::createMask(area.width(), area.height()).value();
        const double a = area.width() / 2.0, b = area.height() / 2.0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                const double dx = (x + 0.5 - a) / a, dy = (y + 0.5 - b) / b;
                if (!ellipse || dx * dx + dy * dy <= 1.0)
                    mask.row(y)[x / 8] |= std::uint8_t(0x80 >> (x % 8));
            }
        document.state().mask = std::move(mask);
        document.state().selection = area;
        document.state().selectionShown = true;
    }

    static bool samePixels(const Image& a, const Image& b)
    {
        return std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin(), b.pixels().end());
    }
};

TEST_F(ApplyEdit, WholeImageWithUndoAndRedo)
{
    const Image original = test::goldenRgb();
    Document& document = open(original);
    ASSERT_EQ(applyFilter(app, FilterDialogModel(253, 50)), 1);
    EXPECT_EQ(app.undoRecord().code(), 1031);
    const Image blurred = document.image().clone();
    EXPECT_FALSE(samePixels(blurred, original));
    ASSERT_TRUE(app.undoRecord().undo(app.documents(), app.host()));
    EXPECT_TRUE(samePixels(document.image(), original));
    ASSERT_TRUE(app.undoRecord().undo(app.documents(), app.host()));
    EXPECT_TRUE(samePixels(document.image(), blurred));
    EXPECT_GT(host.repaints, 0);
}

TEST_F(ApplyEdit, SelectionChangesOnlyTheMaskedPixels)
{
    const Image original = test::goldenRgb();
    Document& document = open(original);
    const Rect area { 10, 5, 40, 35 };
    select(document, area, true);
    BrightnessContrastModel model(false);
    model.setBrightnessPosition(128 + 60);
    ASSERT_EQ(applyBrightnessContrast(app, model), 1);
    EXPECT_EQ(app.undoRecord().code(), 3020);
    EXPECT_EQ(document.state().selection, area);
    ASSERT_TRUE(document.state().mask);
    ASSERT_TRUE(document.state().floating);

    const Image& picture = document.image();
    const LevelTable curve = brightnessContrastCurve(60, 0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int top = picture.height() - 1 - y; // picture row of stored row y
            const bool inRect = area.contains({ x, top });
            const bool masked = inRect
                && (document.state().mask->row(top - area.top)[(x - area.left) / 8] & (0x80 >> ((x - area.left) % 8)));
            const Bgr in = storedPixel(original, x, y), out = storedPixel(picture, x, y);
            if (masked)
                EXPECT_EQ(out, (Bgr { curve[in.blue], curve[in.green], curve[in.red] })) << x << "," << top;
            else
                EXPECT_EQ(out, in) << x << "," << top;
        }

    ASSERT_TRUE(app.undoRecord().undo(app.documents(), app.host()));
    EXPECT_TRUE(samePixels(document.image(), original));
    EXPECT_EQ(document.state().selection, area);
}

TEST_F(ApplyEdit, RepeatedEffectsOnAFloatingSelection)
{
    const Image original = test::goldenRgb();
    Document& document = open(original);
    select(document, { 0, 0, 20, 20 });
    ASSERT_EQ(applyFilter(app, FilterDialogModel(309, 50)), 1); // emboss: the selection turns gray
    EXPECT_EQ(app.undoRecord().code(), 3047);
    const Image embossed = document.image().clone();
    ASSERT_EQ(applyFilter(app, FilterDialogModel(301, 50)), 1); // then sketch the floating content
    EXPECT_EQ(app.undoRecord().code(), 3039);
    EXPECT_FALSE(samePixels(document.image(), embossed));
    ASSERT_TRUE(app.undoRecord().undo(app.documents(), app.host()));
    EXPECT_TRUE(samePixels(document.image(), embossed));
}

TEST_F(ApplyEdit, FailuresLeaveTheDocumentAsItWas)
{
    const Image original = test::goldenRgb();
    Document& document = open(original);
    ASSERT_EQ(applyFilter(app, FilterDialogModel(253, 50)), 1);
    const Image blurred = document.image().clone();

    // Both values zero: nothing changes and the undo record is kept.
    EXPECT_EQ(applyBrightnessContrast(app, BrightnessContrastModel(false)), 0);
    EXPECT_EQ(app.undoRecord().code(), 1031);

    select(document, { 5, 5, 30, 30 });
    host.escapeAfterPolls = host.escapePolls + 3;
    EXPECT_EQ(applyFilter(app, FilterDialogModel(254, 50)), 0);
    EXPECT_TRUE(samePixels(document.image(), blurred));
    EXPECT_FALSE(document.state().floating);

    host.escapeAfterPolls = -1;
    ASSERT_EQ(applyFilter(app, FilterDialogModel(300, 20)), 1);
    const Image painted = document.image().clone();
    host.escapeAfterPolls = host.escapePolls + 3;
    EXPECT_EQ(applyFilter(app, FilterDialogModel(307, 20)), 0);
    EXPECT_TRUE(samePixels(document.image(), painted));
    EXPECT_TRUE(document.state().floating);
}

TEST_F(ApplyEdit, CommandsAreGatedByImageType)
{
    Image fourBit = Image::create(8, 8, 4).value();
    open(fourBit);
    EXPECT_EQ(app.execute(command::Blur), 0);
    EXPECT_EQ(app.execute(command::EffectFirst + 3), 0);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(host.dialogs, 0);
    app.execute(command::BrightnessContrast);
    EXPECT_EQ(host.dialogs, 1);

    open(test::goldenGray());
    EXPECT_EQ(app.execute(command::HueSaturation), 0);
    EXPECT_EQ(host.beeps, 3);
    EXPECT_EQ(host.dialogs, 1);
}

TEST_F(ApplyEdit, DialogsPreviewAndApplyTheirValues)
{
    Document& document = open(test::goldenRgb());
    host.filterDialog = [](FilterDialogModel& model) {
        EXPECT_EQ(model.intensity(), 50);
        model.setIntensity(80);
        return true;
    };
    EXPECT_EQ(app.execute(command::Sharpen), 1);
    EXPECT_TRUE(document.state().modified);
    EXPECT_EQ(app.undoRecord().code(), 1034);
    EXPECT_EQ(app.editingMemory().intensity(command::Sharpen), 80);
    ASSERT_TRUE(host.lastPreview);

    int offered = 0;
    host.effectBrowser = [&](FilterDialogModel& model) {
        offered = model.intensity();
        model.setIntensity(30);
        return true;
    };
    EXPECT_EQ(app.execute(306), 1);
    EXPECT_EQ(offered, 75);
    EXPECT_EQ(app.undoRecord().code(), 1044);
    EXPECT_EQ(app.execute(318), 1); // the browser runs the current effect again
    EXPECT_EQ(offered, 30);

    host.toneDialog = [](ToneModel& model) {
        model.setChannel(ToneChannel::Green);
        model.setShadow(-20);
        return true;
    };
    EXPECT_EQ(app.execute(command::ToneAdjustment), 1);
    EXPECT_EQ(app.undoRecord().code(), 1090);
    EXPECT_EQ(app.editingMemory().toneChannel(false), ToneChannel::Green);

    host.brightnessDialog = [](BrightnessContrastModel&) { return false; };
    EXPECT_EQ(app.execute(command::BrightnessContrast), 0);
    EXPECT_EQ(app.undoRecord().code(), 1090);
}

TEST_F(ApplyEdit, PreviewSourceIsTheSelection)
{
    Document& document = open(test::goldenRgb());
    auto whole = previewSource(app);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->width(), document.image().width());
    select(document, { 3, 4, 23, 14 });
    auto part = previewSource(app);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->width(), 20);
    EXPECT_EQ(part->height(), 10);
    EXPECT_EQ(part->row(0)[0], document.image().row(4)[9]);
}

TEST_F(ApplyEdit, DialogsPreviewTheDocumentsOwnPictureOrTheLiftedSelection)
{
    Document& document = open(test::goldenRgb());
    const PreviewPicture whole = previewPicture(app);
    ASSERT_TRUE(whole);
    EXPECT_EQ(&*whole, &document.image()) << "the picture itself, not a copy";
    select(document, { 3, 4, 23, 14 });
    const PreviewPicture part = previewPicture(app);
    const auto lifted = previewSource(app);
    ASSERT_TRUE(part && lifted);
    EXPECT_NE(&*part, &document.image());
    EXPECT_EQ(test::checksum(*part), test::checksum(*lifted));
}

} // namespace
} // namespace gp
