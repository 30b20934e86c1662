#include "image/Image.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/CopiesCounter.h"
#include "shell/FrameTimer.h"
#include "shell/ScreenState.h"
#include "shell/StatusLine.h"

#include "FakeHost.h"
#include "TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace gp;

namespace {

// Records every pane's texts.
class PaneHost : public test::FakeHost {
public:
    std::vector<std::pair<StatusPane, std::string>> panes;
    void setStatus(StatusPane pane, std::string_view text) override { panes.emplace_back(pane, std::string(text)); }
    std::vector<std::string> textsOf(StatusPane pane) const
    {
        std::vector<std::string> out;
        for (const auto& [p, t] : panes)
            if (p == pane)
                out.push_back(t);
        return out;
    }
    int redraws = 0;
    void redrawPage() override { ++redraws; }
};

Paths pathsIn(const test::TempDir& dir)
{
    Paths p;
    p.settingsDir = dir.path();
    p.programDir = dir / "program";
    p.dataDir = dir / "data";
    p.libraryDir = dir / "lib";
    return p;
}

bool contains(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

TEST(StatusLine, ProgressShowsKindPercentAndAbortHintThenReady)
{
    PaneHost host;
    StatusLine line(host);
    line.progress(42, ProgressKind::Reading);
    line.progress(7, ProgressKind::Scanning);
    line.progress(100, ProgressKind::Reading);
    EXPECT_EQ(host.textsOf(StatusPane::Message),
        (std::vector<std::string> { "  Reading: 42%", "  Scanning: 7%", "  Ready" }));
    EXPECT_EQ(host.textsOf(StatusPane::Help)[0], "  Press Esc to abort.");

    PaneHost quietHost;
    StatusLine quiet(quietHost);
    quiet.setQuiet(true);
    quiet.progress(10, ProgressKind::Saving);
    EXPECT_TRUE(quietHost.panes.empty());
}

TEST(StatusLine, HelpSkipsRepeatsAndTheFirstFiveRepeatingHints)
{
    PaneHost host;
    StatusLine line(host);
    EXPECT_TRUE(line.help("a", 5000));
    EXPECT_FALSE(line.help("a", 5000)); // already shown
    // 2402 is a repeating hint: requests 1..5 are skipped, the sixth shows, later ones repeat.
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(line.help("hint", 2402)) << i;
    EXPECT_TRUE(line.help("hint", 2402));
    EXPECT_FALSE(line.help("hint", 2402));
    // 2400 is not one of them (not every third id from 2399).
    EXPECT_TRUE(line.help("other", 2400));
    // Progress takes the help pane, so the same hint shows again afterwards.
    line.progress(100, ProgressKind::Reading);
    EXPECT_TRUE(line.help("other", 2400));
    EXPECT_TRUE(StatusLine::isRepeatingHint(2477));
    EXPECT_FALSE(StatusLine::isRepeatingHint(2480));
}

TEST(ScreenState, SwitchesEnterAndEscapeReturnHome)
{
    ScreenState screens;
    std::vector<std::string> log;
    screens.onSwitch = [&](Screen from, Screen to) {
        log.push_back("switch " + std::to_string(int(from)) + ">" + std::to_string(int(to)));
    };
    screens.setHandlers(Screen::Crop,
        { [&] { log.push_back("enter crop"); }, [&] { log.push_back("ok crop"); },
            [&] { log.push_back("cancel crop"); } });
    // Escape and Enter on the layout page do nothing.
    EXPECT_FALSE(screens.cancel());
    EXPECT_FALSE(screens.accept());
    EXPECT_TRUE(log.empty());
    // The empty-templates state keeps the layout page.
    EXPECT_FALSE(screens.switchTo(Screen::Crop, true));
    EXPECT_EQ(screens.current(), Screen::Layout);

    EXPECT_TRUE(screens.switchTo(Screen::Crop));
    EXPECT_TRUE(screens.cancel());
    EXPECT_EQ(screens.current(), Screen::Layout);
    screens.switchTo(Screen::Crop);
    EXPECT_TRUE(screens.accept());
    EXPECT_EQ(log,
        (std::vector<std::string> { "switch 0>2", "enter crop", "cancel crop", "switch 2>0", "switch 0>2", "enter crop",
            "ok crop", "switch 2>0" }));
    // Escape on a screen without handlers still goes home.
    screens.switchTo(Screen::Text);
    EXPECT_TRUE(screens.cancel());
    EXPECT_EQ(screens.current(), Screen::Layout);
}

TEST(ScreenState, BackgroundFilesPerScreenMode)
{
    EXPECT_EQ(screenBackgroundFile(Screen::Layout, false), "LAYOUT.LOG");
    EXPECT_EQ(screenBackgroundFile(Screen::Layout, true), "LAYOUT.LO6");
    EXPECT_EQ(screenBackgroundFile(Screen::Frame, true), "FRAMEIT.LO6");
    EXPECT_EQ(screenBackgroundFile(Screen::Text, false), "");
}

TEST(FrameTimer, EmptyPhotoListFlashesGetPhotosAndDisablesTheEditors)
{
    FrameTimerInput in;
    in.category = 9701;
    in.photoListEmpty = true;
    auto update = frameTimerTick(in);
    for (int id : { 8, 9, 10, 6, 15 })
        EXPECT_TRUE(contains(update.disable, id)) << id;
    for (int id : { 7, 100, 16, 17 })
        EXPECT_TRUE(contains(update.enable, id)) << id;
    EXPECT_FALSE(contains(update.enable, 8));
    EXPECT_EQ(update.flash, 7);

    // A highlighted button, a pressed mouse or a pending help request stop the flash.
    in.highlighted = 12;
    EXPECT_EQ(frameTimerTick(in).flash, 0);
    in.highlighted = 120;
    EXPECT_EQ(frameTimerTick(in).flash, 7);
    in.leftButtonDown = true;
    EXPECT_EQ(frameTimerTick(in).flash, 0);

    // A photo in a cell keeps Clear Page; a printable cell keeps Print.
    in = {};
    in.category = 9701;
    in.anyCellHasPhoto = true;
    in.currentCellCanPrint = true;
    update = frameTimerTick(in);
    EXPECT_TRUE(contains(update.enable, 6));
    EXPECT_TRUE(contains(update.enable, 15));
    EXPECT_FALSE(contains(update.disable, 6));
}

TEST(FrameTimer, PhotosEnableEverythingAndFreeStyleHasNoPages)
{
    FrameTimerInput in;
    in.category = kCategoryFreeStyle;
    in.photoListEmpty = false;
    const auto update = frameTimerTick(in);
    for (int id : { 7, 8, 9, 10, 6, 100, 15 })
        EXPECT_TRUE(contains(update.enable, id)) << id;
    EXPECT_FALSE(contains(update.enable, 16));
    EXPECT_TRUE(update.disable.empty());
    EXPECT_EQ(update.flash, 0);
}

TEST(FrameTimer, EmptyTemplatesStateFlashesNewTemplate)
{
    FrameTimerInput in;
    in.category = kCategoryMyTemplates;
    in.pageHasTemplate = false;
    auto update = frameTimerTick(in);
    EXPECT_EQ(update.disable, (std::vector<int> { 7, 8, 9, 10, 6, 100, 15, 16, 17 }));
    EXPECT_EQ(update.disableTemplateBar, (std::vector<int> { 351, 352 }));
    EXPECT_EQ(update.flashTemplateBar, 350);
    EXPECT_EQ(update.flash, 0);
    in.highlighted = 350;
    EXPECT_EQ(frameTimerTick(in).flashTemplateBar, 0);
    in.pageHasTemplate = true;
    EXPECT_EQ(frameTimerTick(in).enableTemplateBar, (std::vector<int> { 351, 352 }));
}

TEST(FrameTimer, AlbumScreenFollowsItsPhotos)
{
    FrameTimerInput in;
    in.screen = Screen::GetPhotos;
    EXPECT_EQ(frameTimerTick(in).disable, (std::vector<int> { 25, 251 }));
    in.albumHasPhotos = true;
    EXPECT_EQ(frameTimerTick(in).enable, (std::vector<int> { 25, 251 }));
    in.screen = Screen::Edit;
    EXPECT_TRUE(frameTimerTick(in).enable.empty());
}

TEST(CopiesCounter, StaysWithinOneToNinetyNine)
{
    CopiesCounter copies;
    EXPECT_FALSE(copies.decrement());
    EXPECT_EQ(copies.value(), 1);
    copies.set(98);
    EXPECT_TRUE(copies.increment());
    EXPECT_FALSE(copies.increment());
    EXPECT_EQ(copies.value(), 99);
    EXPECT_EQ(copies.bitmapId(), 9399);
    copies.set(500);
    EXPECT_EQ(copies.value(), 99);
}

TEST(CommandDispatch, GatesBeepOrStaySilentAndResultsMarkTheDocument)
{
    test::TempDir dir;
    PaneHost host;
    App app(host, pathsIn(dir));
    int ran = 0;
    for (int id : { command::Stitch, command::Blur, command::HueSaturation, command::ToTrueColor, command::ToGrayscale,
             command::EffectFirst + 3 })
        app.commands().set(id, [&](std::string_view) {
            ++ran;
            return command::ResultChanged;
        });

    // No document: the adjustment beeps, the conversion and stitch do not.
    app.execute(command::Blur);
    EXPECT_EQ(host.beeps, 1);
    app.execute(command::ToGrayscale);
    app.execute(command::Stitch);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(ran, 0);

    // A 24-bit document: stitch, blur, effects, hue run; to-24-bit refuses silently.
    app.currentName() = "a.bmp";
    Document* doc = app.newDocument(Image::create(4, 4, 24).value());
    ASSERT_NE(doc, nullptr);
    app.execute(command::ToTrueColor);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(app.execute(command::EffectFirst + 3), command::ResultChanged);
    EXPECT_TRUE(doc->state().modified);
    EXPECT_EQ(host.redraws, 1);
    app.execute(command::Stitch);
    app.execute(command::HueSaturation);
    EXPECT_EQ(ran, 3);

    // Ids 101..799 refresh the status panes; a save clears the modified flag.
    app.commands().set(command::Save, [](std::string_view) { return command::ResultSaved; });
    host.panes.clear();
    app.execute(command::Save);
    EXPECT_FALSE(doc->state().modified);
    EXPECT_EQ(host.textsOf(StatusPane::Zoom), (std::vector<std::string> { "View 1:1" }));
    EXPECT_EQ(host.textsOf(StatusPane::Type).size(), 1u);
    // Below 101 the frame finishes the command without touching the panes.
    app.commands().set(12, [](std::string_view) { return 0; });
    host.panes.clear();
    app.execute(12);
    EXPECT_TRUE(host.panes.empty());
    app.setShuttingDown();
    app.execute(command::Save);
    EXPECT_TRUE(host.panes.empty());
}
