// Drives the workflow screens with the mouse as a user would and checks the pictures of the new
// documents they open.

#include "WorkflowScreensTest.h"

#include "FrameFixture.h"
#include "codecs/BmpWriter.h"
#include "dialogs/SaveAsControls.h"
#include "skin/ButtonBar.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

using namespace gp;
using namespace gp::ui;
using namespace gp::test;

namespace {

struct Fixture : test::FrameFixture<> {
    Fixture() : FrameFixture({ .builtLibraries = true, .shown = true }) { }

    // A 300 × 200 photo, red on the left half and blue on the right (or one colour), opened
    // through the frame into the page.
    void openPhoto(bool twoColours = true)
    {
        Image photo = Image::create(300, 200, 24).value();
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                std::uint8_t* p = photo.row(y) + 3 * x;
                const bool blue = twoColours ? x >= 150 : false;
                p[0] = blue ? 255 : 0;
                p[1] = twoColours ? 0 : 200;
                p[2] = blue || !twoColours ? 0 : 255;
            }
        const std::string path = (dir / "photo.bmp").string();
        QVERIFY(writeBmpFile(path, photo) == WriteResult::Written);
        frame->openArguments({ QString::fromStdString(path) });
        QVERIFY(app->activeDocument() != nullptr);
        // The frame's one-second tick enables the buttons that need a photo.
        frame->timerTick();
    }

    void click(int button)
    {
        ButtonBar& bar = *frame->buttonBar();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(button).value().center());
    }

    QWidget* canvas(const char* name) const { return frame->findChild<QWidget*>(name); }
};

bool isBlue(const std::uint8_t* p) { return p[0] > 200 && p[1] < 50 && p[2] < 50; }

} // namespace

void WorkflowScreensTest::cropDraggedEdgeGivesTheBluePart()
{
    Fixture f;
    f.openPhoto();
    const Document* original = f.app->activeDocument();
    QVERIFY2(f.frame->buttonBar()->isEnabled(8), "crop button disabled");
    const int beepsBefore = f.host.beeps;
    f.click(8);
    QCOMPARE(f.host.beeps, beepsBefore);
    QCOMPARE(f.app->screens().current(), Screen::Crop);
    QWidget* canvas = f.canvas("cropCanvas");
    QVERIFY(canvas && canvas->isVisible());
    f.click(38); // any shape: the whole photo
    // The photo is fitted to the canvas's width; its left edge is the crop's left edge.
    const int middle = canvas->height() / 2;
    drag(canvas, QPoint(0, middle), QPoint(canvas->width() / 2, middle));
    f.click(34);
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    const Document* result = f.app->activeDocument();
    QVERIFY(result && result != original);
    const Image& cut = result->image();
    QVERIFY(cut.width() > 130 && cut.width() < 160);
    QVERIFY(cut.height() > 190);
    QVERIFY(isBlue(cut.row(0)));
    QVERIFY(isBlue(cut.row(cut.height() / 2) + 3 * (cut.width() - 1)));
    QVERIFY(f.app->layoutPage().holds(&cut));
}

void WorkflowScreensTest::effectFromTheListBecomesANewDocument()
{
    Fixture f;
    f.openPhoto();
    f.click(9);
    QCOMPARE(f.app->screens().current(), Screen::Edit);
    auto* list = f.frame->findChild<QListWidget*>("effectList");
    QVERIFY(list && list->count() >= 16);
    const auto found = list->findItems(QStringLiteral("Sepia"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    auto* strength = f.frame->findChild<QLabel*>("effectStrength");
    QCOMPARE(strength->text(), QStringLiteral("Strength: 50"));
    const int beeps = f.host.beeps;
    for (int i = 0; i < 51; ++i)
        f.click(43);
    QCOMPARE(strength->text(), QStringLiteral("Strength: 100"));
    QCOMPARE(f.host.beeps, beeps + 1);
    f.click(42); // undo the step that hit the limit
    QCOMPARE(strength->text(), QStringLiteral("Strength: 100"));
    f.click(41);
    const Image& toned = f.app->activeDocument()->image();
    QCOMPARE(toned.width(), 300);
    for (int x : { 10, 290 }) {
        const std::uint8_t* p = toned.row(100) + 3 * x;
        QVERIFY(p[2] >= p[1] && p[1] >= p[0]); // sepia at full strength: red over green over blue
        QVERIFY(p[1] > 20); // no longer the pure red or blue
    }
}

void WorkflowScreensTest::frameChosenAndPlacedBecomesANewDocument()
{
    Fixture f;
    f.openPhoto(false);
    f.click(10);
    QCOMPARE(f.app->screens().current(), Screen::Frame);
    auto* list = f.frame->findChild<QListWidget*>("frameList");
    QVERIFY(list && list->count() >= 12);
    const auto found = list->findItems(QStringLiteral("white-mat"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->setCurrentItem(found[0]);
    f.click(65); // zoom in
    f.click(67); // turn left
    QWidget* canvas = f.canvas("frameCanvas");
    drag(canvas, canvas->rect().center(), canvas->rect().center() + QPoint(3, -2));
    f.click(61);
    const Image& framed = f.app->activeDocument()->image();
    QCOMPARE(framed.width(), 1500);
    QCOMPARE(framed.height(), 1000);
    const std::uint8_t* centre = framed.row(500) + 3 * 750;
    QVERIFY(centre[1] > 180 && centre[2] < 40); // the green photo in the window
    const std::uint8_t* corner = framed.row(20) + 3 * 20;
    QVERIFY(corner[0] > 200 && corner[1] > 200 && corner[2] > 200); // the white mat
}

void WorkflowScreensTest::saveAsShowsCompressOrQualityByType()
{
    QFileDialog dialog(nullptr, QStringLiteral("Save As"), QString(), QStringLiteral("*.BMP (*.BMP);;*.TIF (*.TIF);;*.JPG (*.JPG)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectNameFilter(QStringLiteral("*.TIF (*.TIF)"));
    SaveAsControls controls(dialog, true, 75);
    QVERIFY(controls.showsCompress());
    QVERIFY(!controls.showsQuality());
    QVERIFY(controls.compress());
    emit dialog.filterSelected(QStringLiteral("*.JPG (*.JPG)"));
    QVERIFY(!controls.showsCompress());
    QVERIFY(controls.showsQuality());
    QCOMPARE(controls.quality(), 75);
    emit dialog.filterSelected(QStringLiteral("*.BMP (*.BMP)"));
    QVERIFY(!controls.showsCompress() && !controls.showsQuality());
}

QTEST_MAIN(WorkflowScreensTest)
