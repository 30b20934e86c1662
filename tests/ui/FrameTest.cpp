// The main frame on the engine's App: the one-second button rules, gating and beeps, the copies
// counter, screen switching with Escape, the status panes, the settings-file check, the command
// line and the shut-down.

#include "FrameTest.h"
#include "QtRequire.h"

#include "FrameFixture.h"
#include "frame/CommandMenu.h"
#include "frame/SystemClipboard.h"
#include "shell/CommandIds.h"
#include "skin/ButtonBar.h"
#include "skin/ListControl.h"
#include "skin/SuperStatic.h"
#include "views/FullScreenView.h"
#include "views/PageView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <set>

using namespace gp;
using namespace gp::ui;

namespace {

// The scripted Host, with the status texts going to the frame's panes as the program's do.
struct FrameHost : test::FakeHost {
    MainFrame* frame = nullptr;
    void setStatus(StatusPane pane, std::string_view text) override
    {
        test::FakeHost::setStatus(pane, text);
        if (frame)
            frame->showStatus(pane, text);
    }
};

struct Fixture : test::FrameFixture<FrameHost> {
    explicit Fixture(bool withSettings = true, int depth = 24)
        : FrameFixture({ .settings = withSettings, .depth = depth })
    {
        host.frame = frame.get();
    }

    // A photo written by ImageMagick, opened through the frame.
    bool openPhoto(const std::string& name, const char* colour)
    {
        const std::string path = (dir / name).string();
        if (QProcess::execute(QStringLiteral("convert"),
                { QStringLiteral("-size"), QStringLiteral("60x40"), QStringLiteral("xc:") + QLatin1String(colour),
                    QStringLiteral("bmp3:") + QString::fromStdString(path) })
            != 0)
            return false;
        frame->openArguments({ QString::fromStdString(path) });
        return true;
    }
};

} // namespace

void FrameTest::chooses640ModeOnSmallScreens()
{
    QVERIFY(use640Mode({ 640, 480 }));
    QVERIFY(use640Mode({ 799, 1200 }));
    QVERIFY(use640Mode({ 1024, 599 }));
    QVERIFY(!use640Mode({ 800, 600 }));
    QVERIFY(!use640Mode({ 320, 200 }));
}

void FrameTest::timerEnablesByThePhotoList()
{
    Fixture f;
    ButtonBar& bar = *f.frame->buttonBar();
    f.frame->timerTick();
    QVERIFY(bar.isEnabled(7));
    QVERIFY(!bar.isEnabled(8));
    QVERIFY(!bar.isEnabled(9));
    QVERIFY(!bar.isEnabled(10));
    QVERIFY(!bar.isEnabled(6));
    QVERIFY(!bar.isEnabled(15));
    QVERIFY(bar.flashing());

    GLIMMER_QREQUIRE(f.openPhoto("red.bmp", "#d02020"), std::string("ImageMagick convert is not available"));
    QCOMPARE(f.app->documents().count(), 1u);
    f.frame->timerTick();
    for (int id : { 7, 8, 9, 10, 6, 15, 16, 17 })
        QVERIFY2(bar.isEnabled(id), qPrintable(QString::number(id)));

    // Free Style has no page arrows; My Templates without a template refuses everything.
    ListControl& categories = *f.frame->categoryList();
    // As a click on a row does: the selection moves and the list tells the frame.
    categories.setSelectedIndex(1);
    emit categories.selectionChanged(categories.listId());
    QCOMPARE(f.frame->category(), 9706);
    categories.setSelectedIndex(0);
    emit categories.selectionChanged(categories.listId());
    for (int id : { 7, 8, 9, 10, 6, 100, 15, 16, 17 })
        QVERIFY(!bar.isEnabled(id));
    QVERIFY(f.frame->templateBar()->isVisible() || !f.frame->isVisible());
    QVERIFY(!f.frame->templateBar()->isEnabled(351));
}

void FrameTest::gatedCommandsBeepOrStaySilent()
{
    Fixture f;
    // Without a document the adjustments beep and the conversions do not.
    f.frame->runCommand(command::Blur);
    QCOMPARE(f.host.beeps, 1);
    f.frame->runCommand(command::ToGrayscale);
    f.frame->runCommand(command::Stitch);
    QCOMPARE(f.host.beeps, 1);
    // Zoom without a document does nothing; choosing the zoom in force beeps.
    f.frame->runCommand(232);
    QCOMPARE(f.host.beeps, 1);
    GLIMMER_QREQUIRE(f.openPhoto("blue.bmp", "#2020d0"), std::string("ImageMagick convert is not available"));
    const int zoom = f.app->activeDocument()->state().zoom;
    f.frame->runCommand(200 + zoom);
    QCOMPARE(f.host.beeps, 2);
    f.frame->runCommand(232);
    QCOMPARE(f.app->activeDocument()->state().zoom, zoom + 1);
    QVERIFY(!f.app->activeDocument()->state().modified);
    QCOMPARE(f.frame->statusPane(StatusPane::Zoom)->text(), QStringLiteral("View 2:1"));
}

void FrameTest::copiesCounterBeepsAtItsEnds()
{
    Fixture f;
    ButtonBar& bar = *f.frame->buttonBar();
    const QPoint minus = bar.rectOf(13).value().center();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, minus);
    QCOMPARE(f.host.beeps, 1);
    QCOMPARE(f.app->copies().value(), 1);
    f.app->copies().set(99);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(12).value().center());
    QCOMPARE(f.app->copies().value(), 99);
    QCOMPARE(f.host.beeps, 2);
}

void FrameTest::escapeReturnsToTheLayoutPage()
{
    Fixture f;
    ButtonBar& bar = *f.frame->buttonBar();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(7).value().center());
    QCOMPARE(f.app->screens().current(), Screen::GetPhotos);
    QCOMPARE(bar.page(), 1);
    QVERIFY(f.frame->pageView()->isHidden());
    f.frame->runCommand(command::KeyEscape);
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    QCOMPARE(bar.page(), 0);
    f.frame->runCommand(command::KeyEscape);
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    // The OK button of a screen goes home too.
    f.app->screens().switchTo(Screen::Crop);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(34).value().center());
    QCOMPARE(f.app->screens().current(), Screen::Layout);
}

void FrameTest::statusBarTogglesAndShowsProgress()
{
    Fixture f;
    f.frame->show();
    f.app->statusLine().progress(40, ProgressKind::Reading);
    QCOMPARE(f.frame->statusPane(StatusPane::Help)->text(), QStringLiteral("  Press Esc to abort."));
    QCOMPARE(f.frame->statusPane(StatusPane::Message)->text(), QStringLiteral("  Reading: 40%"));
    QVERIFY(f.frame->statusBarShown());
    f.frame->runCommand(command::ShowStatusBar);
    QVERIFY(!f.frame->statusBarShown());
    QVERIFY(f.frame->statusPane(StatusPane::Zoom)->parentWidget()->isHidden());
    f.frame->runCommand(command::ShowToolsBar);
    QVERIFY(f.frame->toolsBarShown());
}

void FrameTest::missingSettingsFileWarnsAndWritesNothing()
{
    Fixture f(false);
    QVERIFY(!f.frame->checkSettingsFile());
    QCOMPARE(f.host.messages.size(), 1u);
    QCOMPARE(f.host.messages[0].text, std::string("Can't find INI file: Glmpress.ini "));
    QCOMPARE(f.host.messages[0].caption, std::string("Warning"));
    f.frame->close();
    QVERIFY(!std::filesystem::exists(f.dir / "GLMPRESS.INI"));
}

void FrameTest::shutDownWritesTheRecentFiles()
{
    Fixture f;
    GLIMMER_QREQUIRE(f.openPhoto("green.bmp", "#20d020"), std::string("ImageMagick convert is not available"));
    f.frame->close();
    QCOMPARE(f.app->documents().count(), 0u);
    QVERIFY(f.app->shuttingDown());
    ProfileFile ini(f.dir / "GLMPRESS.INI");
    QVERIFY(ini.readString("USER", "File1", "").find("green.bmp") != std::string::npos);
    QCOMPARE(ini.readInt("USER", "Version", 0), 201);
}

void FrameTest::fullScreenViewZoomsWithClicks()
{
    Fixture f;
    GLIMMER_QREQUIRE(f.openPhoto("red.bmp", "#d02020"), std::string("ImageMagick convert is not available"));
    f.frame->runCommand(command::FullScreen);
    FullScreenView* view = f.frame->fullScreenView();
    QVERIFY(view);
    const int zoom = view->zoom();
    QTest::mouseClick(view, Qt::LeftButton);
    QCOMPARE(view->zoom(), zoom + 1);
    QTest::mouseClick(view, Qt::RightButton);
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(view->zoom(), zoom - 1);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(view->offset(), 0);
    // The view shows the photo: its centre is red.
    const QImage shot = view->grab().toImage();
    const QColor centre = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    QVERIFY(centre.red() > 180 && centre.green() < 80);
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_VERIFY(!f.frame->fullScreenView());
}

void FrameTest::clipboardRendersOnlyWhenAsked()
{
    SystemClipboard clipboard;
    int renders = 0;
    int lost = 0;
    clipboard.offer(
        [&]() -> std::optional<Image> {
            ++renders;
            Image image = Image::create(3, 2, 24).value();
            image.row(0)[2] = 200; // red of the top-left pixel
            return image;
        },
        [&] { ++lost; });
    QCOMPARE(renders, 0);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasFormat(QStringLiteral("image/bmp")));
    const QByteArray bmp = data->data(QStringLiteral("image/bmp"));
    QCOMPARE(renders, 1);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    auto back = clipboard.bitmap();
    QVERIFY(back.has_value());
    QCOMPARE(back->width(), 3);
    QCOMPARE(int(back->row(0)[2]), 200);

    // Another program's picture is pasted through Qt's image.
    auto* foreign = new QMimeData;
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    foreign->setImageData(green);
    QGuiApplication::clipboard()->setMimeData(foreign);
    auto pasted = clipboard.bitmap();
    QVERIFY(pasted.has_value());
    QCOMPARE(pasted->width(), 4);
    QCOMPARE(int(pasted->row(0)[1]), 255);
}

namespace {

void triggerAll(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            triggerAll(action->menu());
        else if (!action->isSeparator())
            action->trigger();
    }
}

} // namespace

void FrameTest::commandMenuReachesEveryCommand()
{
    std::set<int> reached;
    QWidget parent;
    QMenu* menu = buildCommandMenu(
        &parent, [&](int id) { reached.insert(id); }, [](int) { return false; },
        { QStringLiteral("/a.bmp"), QString(), QStringLiteral("/c.bmp"), QString() });
    triggerAll(menu);
    std::vector<int> expected = { 101, 102, 103, 104, 106, 107, 108, 109, 110, 111, 112, 113, 114, 116, 119, 150, 151,
        152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 166, 235, 236, 237, 238, 250, 251, 252, 253, 254, 350,
        351, 352, 353, 354, 404, 450, 454, 455 };
    for (int id = 200; id <= 234; ++id)
        if (id != 216)
            expected.push_back(id);
    for (int id = 300; id <= 318; ++id)
        expected.push_back(id);
    for (int id : expected)
        QVERIFY2(reached.count(id), qPrintable(QString::number(id)));
    // No item for an empty recent slot, for Stitch, or for ordering a document area that never exists.
    for (int absent : { 115, 117, 163, 401, 402, 403 })
        QVERIFY2(!reached.count(absent), qPrintable(QString::number(absent)));
    // The accelerators send the keys' commands: the frame's ten and F2..F8.
    std::set<int> keys;
    for (const Accelerator& accelerator : accelerators())
        keys.insert(accelerator.command);
    QCOMPARE(int(keys.size()), 17);
}

QTEST_MAIN(FrameTest)
