// Drives the workflow screens with the mouse as a user would and checks the pictures of the new
// documents they open.

#include "WorkflowScreensTest.h"

#include "FrameFixture.h"
#include "codecs/BmpWriter.h"
#include "dialogs/SaveAsControls.h"
#include "editing/workflow/EffectIntensity.h"
#include "editing/workflow/EffectsLibrary.h"
#include "editing/workflow/FrameFiles.h"
#include "skin/ButtonBar.h"
#include "views/AlbumGrid.h"
#include "views/AlbumStrip.h"

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
        openFile(photo, "photo.bmp");
    }

    // A 120 × 160 green photo, opened likewise.
    void openGreenPhoto()
    {
        Image photo = Image::create(120, 160, 24).value();
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 120; ++x) {
                std::uint8_t* p = photo.row(y) + 3 * x;
                p[0] = 30;
                p[1] = 190;
                p[2] = 40;
            }
        openFile(photo, "green.bmp");
    }

    void openFile(const Image& photo, const char* name)
    {
        const std::string path = (dir / name).string();
        QVERIFY(writeBmpFile(path, photo) == WriteResult::Written);
        frame->openArguments({ QString::fromStdString(path) });
        QVERIFY(app->activeDocument() != nullptr);
        // The frame's one-second tick enables the buttons that need a photo.
        frame->timerTick();
    }

    AlbumStrip* strip(const char* name) const { return static_cast<AlbumStrip*>(frame->findChild<QWidget*>(name)); }

    // A plain click on photo index of a strip, scrolled into view first.
    void clickStripPhoto(AlbumStrip* strip, int index)
    {
        AlbumGrid* grid = strip->grid();
        grid->scrollTo(index);
        const int cell = index - grid->model().firstVisibleRow();
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(cell).center());
    }

    // Where a strip holds the file of that name, or -1.
    static int indexIn(AlbumStrip* strip, const std::string& fileName)
    {
        const auto& photos = strip->session().list().photos();
        for (std::size_t i = 0; i < photos.size(); ++i)
            if (std::filesystem::path(photos[i].record.path).filename() == fileName)
                return int(i);
        return -1;
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
    AlbumStrip* frames = f.strip("frameStrip");
    QVERIFY(frames && frames->isVisible() && frames->session().list().count() >= 12);
    const int whiteMat = Fixture::indexIn(frames, "white-mat.jpg");
    QVERIFY(whiteMat >= 0);
    f.clickStripPhoto(frames, whiteMat);
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

void WorkflowScreensTest::cropStripPhotoBecomesTheCroppedPhoto()
{
    Fixture f;
    // Each photo cropped joins the crop strip.
    f.openPhoto();
    f.click(8);
    AlbumStrip* strip = f.strip("cropStrip");
    QVERIFY(strip && strip->isVisible());
    QCOMPARE(strip->session().list().count(), 1);
    f.click(32);
    f.openGreenPhoto();
    f.click(8);
    QCOMPARE(strip->session().list().count(), 2);
    QCOMPARE(Fixture::indexIn(strip, "green.bmp"), 1);

    // The first photo, clicked in the strip, is what Any Shape and OK cut: all of it.
    f.clickStripPhoto(strip, Fixture::indexIn(strip, "photo.bmp"));
    f.click(38);
    f.click(34);
    QCOMPARE(f.app->screens().current(), Screen::Layout);
    const Image& cut = f.app->activeDocument()->image();
    // All of it but the one pixel the rectangle keeps off the right and bottom edges.
    QVERIFY(cut.width() >= 298 && cut.width() <= 300);
    QVERIFY(cut.height() >= 198);
    const std::uint8_t* left = cut.row(100) + 3 * 10;
    QVERIFY(left[2] > 200 && left[0] < 50); // red
    QVERIFY(isBlue(cut.row(100) + 3 * 290));

    // The strip was saved on leaving and reopens with both photos.
    f.click(8);
    QCOMPARE(strip->session().list().count(), 2);
    f.click(32);
}

void WorkflowScreensTest::editStripPhotoTakesTheChosenEffect()
{
    Fixture f;
    f.openPhoto();
    f.click(9);
    AlbumStrip* strip = f.strip("editStrip");
    QVERIFY(strip && strip->isVisible());
    f.click(39);
    f.openGreenPhoto();
    f.click(9);
    QCOMPARE(strip->session().list().count(), 2);

    auto* list = f.frame->findChild<QListWidget*>("effectList");
    const auto found = list->findItems(QStringLiteral("Sepia"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    f.click(43);
    auto* strength = f.frame->findChild<QLabel*>("effectStrength");
    QCOMPARE(strength->text(), QStringLiteral("Strength: 51"));

    // The red and blue photo from the strip keeps the effect and its strength.
    f.clickStripPhoto(strip, Fixture::indexIn(strip, "photo.bmp"));
    QCOMPARE(strength->text(), QStringLiteral("Strength: 51"));
    f.click(41);
    const Image& toned = f.app->activeDocument()->image();
    QCOMPARE(toned.width(), 300);
    QCOMPARE(toned.height(), 200);
    auto library = EffectsLibrary::open(std::filesystem::path(GLIMMER_BUILD_LIBDIR) / "libglimmer-effect.so");
    QVERIFY(library.has_value());
    const Document* source = nullptr;
    for (const auto& document : f.app->documents().all())
        if (document->title().ends_with("photo.bmp"))
            source = document.get();
    QVERIFY(source);
    const auto expected = library->apply(4, source->image(), 51, f.app->allocator());
    QVERIFY(expected.has_value());
    for (int y = 0; y < 200; y += 13)
        QVERIFY(std::equal(toned.row(y), toned.row(y) + 900, expected->row(y)));
}

void WorkflowScreensTest::effectListShowsEachEffectOnThePhoto()
{
    Fixture f;
    f.openGreenPhoto();
    f.click(9);
    auto* list = f.frame->findChild<QListWidget*>("effectList");
    QVERIFY(list && list->count() >= 16);
    // The pictures come while the window is idle; the blank they replace is plain dark gray.
    const auto pictureOf = [&](const QString& name) {
        const auto items = list->findItems(name, Qt::MatchExactly);
        return items.size() == 1 ? items[0]->icon().pixmap(list->iconSize()).toImage() : QImage();
    };
    const auto isBlank = [](const QImage& picture) { return picture.pixelColor(picture.rect().center()) == QColor(Qt::darkGray); };
    QTRY_VERIFY(!isBlank(pictureOf(list->item(list->count() - 1)->text())));
    for (int row = 0; row < list->count(); ++row)
        QVERIFY2(!isBlank(pictureOf(list->item(row)->text())), qPrintable(list->item(row)->text()));
    // Warm keeps the photo green; black-and-white film has no colour left.
    const QColor warm = pictureOf(QStringLiteral("Warm")).pixelColor(pictureOf(QStringLiteral("Warm")).rect().center());
    QVERIFY(warm.green() > warm.red() + 60 && warm.green() > warm.blue() + 60);
    const QImage film = pictureOf(QStringLiteral("Black and White Film"));
    const QColor gray = film.pixelColor(film.rect().center());
    QVERIFY(std::abs(gray.red() - gray.green()) <= 2 && std::abs(gray.green() - gray.blue()) <= 2);
    f.click(39);
}

void WorkflowScreensTest::frameAlbumIsMadeOnceAndNextFrameWalksIt()
{
    Fixture f;
    f.openPhoto(false);
    QCOMPARE(f.app->albums().registry.count(AlbumFamily::Frame), 0);
    f.click(10);
    AlbumStrip* strip = f.strip("frameStrip");
    QVERIFY(strip && strip->isVisible());
    const auto shipped = framePictures(shippedFramesFolder(f.app->paths()));
    QCOMPARE(f.app->albums().registry.count(AlbumFamily::Frame), 1);
    QCOMPARE(strip->session().list().count(), int(shipped.size()));
    const std::filesystem::path file = f.app->albums().registry.path(AlbumFamily::Frame, 0);
    QVERIFY(std::filesystem::exists(file));
    const auto written = std::filesystem::last_write_time(file);

    // Next Frame takes the strip's current frame (the first) while none is chosen, then the one
    // after it.
    QCOMPARE(strip->session().list().selection(), 0);
    f.click(64);
    QCOMPARE(strip->session().list().selection(), 0);
    f.click(64);
    QCOMPARE(strip->session().list().selection(), 1);
    f.click(61);
    auto second = readFrameArtwork(f.app->imageFiles(), shipped[1].string());
    QVERIFY(second.has_value());
    const Image& framed = f.app->activeDocument()->image();
    QCOMPARE(framed.width(), second->picture.width());
    QCOMPARE(framed.height(), second->picture.height());

    // Shown again: the same album, not made again, and the last frame still current.
    f.frame->timerTick();
    f.click(10);
    QCOMPARE(f.app->albums().registry.count(AlbumFamily::Frame), 1);
    QVERIFY(std::filesystem::last_write_time(file) == written);
    QCOMPARE(strip->session().list().selection(), 1);
    f.click(64);
    QCOMPARE(strip->session().list().selection(), 1);
    f.click(64);
    QCOMPARE(strip->session().list().selection(), 2);
    f.click(59);
}

QTEST_MAIN(WorkflowScreensTest)
