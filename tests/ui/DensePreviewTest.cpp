// Album thumbnails and editing-dialog previews on a high-density screen. Run at device pixel
// ratio 2 (QT_SCALE_FACTOR=2), the test measures the pictures an album grid paints (a JPEG, a BMP
// and a photo whose file is gone) and the Before and After pictures of an adjustment dialog
// (fitted and in Pan Mode), runs itself again at ratio 1 for the same measures, and checks that
// every picture has twice the pixels each way, except the gone photo's, which keeps its stored
// thumbnail; and that the grid and the dialog paint their pictures pixel for pixel. The page
// view's photo pictures, reduced straight from the photo, are checked at both ratios too.

#include "DensePreviewTest.h"

#include "FakeHost.h"
#include "ScaleRerun.h"
#include "TempDir.h"
#include "album/AlbumPhotoReader.h"
#include "album/DenseThumbnails.h"
#include "album/Thumbnail.h"
#include "app/App.h"
#include "codecs/WriteImageFile.h"
#include "dialogs/BrightnessContrastDialog.h"
#include "dialogs/PreviewPane.h"
#include "editing/tone/AdjustmentDialogs.h"
#include "views/AlbumGrid.h"
#include "views/PhotoCache.h"

#include <QCheckBox>
#include <QTest>
#include <filesystem>


using namespace gp;
using namespace gp::ui;

namespace {

using Measures = test::PictureSizes;

// A photo with detail everywhere, so a finer sample differs from an enlarged coarse one.
Image detailedPhoto(int width, int height)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(x * 5);
            p[1] = std::uint8_t(y * 3 + (x % 7) * 20);
            p[2] = std::uint8_t((x ^ y) * 2);
        }
    return image;
}

// How many of the sampled pixels of picture (device pixels) differ from the grab's at origin.
int differingPixels(const QImage& grab, QPoint origin, const QImage& picture)
{
    const QImage wanted = picture.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < wanted.height(); y += 3)
        for (int x = 0; x < wanted.width(); x += 3)
            differing += grab.pixel(origin.x() + x, origin.y() + y) != wanted.pixel(x, y);
    return differing;
}

struct Program {
    test::TempDir dir;
    test::FakeHost host;
    std::unique_ptr<App> app;

    Program()
    {
        Paths paths;
        paths.settingsDir = paths.programDir = paths.dataDir = paths.libraryDir = dir.path();
        app = std::make_unique<App>(host, paths);
    }

    PhotoItem photoFile(const std::string& name, int type, const Image& photo)
    {
        const std::string path = (dir / name).string();
        if (writeImageFile(app->imageFiles(), type, photo, path) != WriteResult::Written)
            return {};
        return *makeThumbnail(photo, path, app->allocator());
    }
};

// The grid's pictures: each cell's, once the dense ones asked for by the first paint are made.
// Checks on the way that the grid paints each picture pixel for pixel.
bool measureGrid(Program& program, Measures& sizes)
{
    AlbumList album;
    album.append(program.photoFile("wide.jpg", 6, detailedPhoto(1200, 800)));
    album.append(program.photoFile("tall.bmp", 1, detailedPhoto(300, 450)));
    PhotoItem gone = program.photoFile("gone.jpg", 6, detailedPhoto(800, 600));
    std::filesystem::remove(gone.record.path);
    album.append(std::move(gone));

    AlbumGrid grid(nullptr, *program.app, album, albumScreenShape(520, false),
        DisplaySetup { 24, &program.app->gammaTables(), nullptr });
    grid.show();
    (void)grid.grab(); // the first paint asks for the dense thumbnails
    if (DenseThumbnails* dense = grid.denseThumbnails())
        dense->waitUntilIdle();
    QCoreApplication::processEvents();
    const QImage painted = grid.grab().toImage();
    const qreal ratio = grid.devicePixelRatioF();
    const char* names[] = { "thumbnail.jpg", "thumbnail.bmp", "thumbnail.gone" };
    for (int cell = 0; cell < 3; ++cell) {
        const QImage picture = grid.cellPicture(cell);
        if (picture.isNull())
            return false;
        sizes[QString::fromLatin1(names[cell])] = picture.size();
        const QSize size = picture.deviceIndependentSize().toSize();
        const QRect box = grid.cellRect(cell);
        const QPoint origin(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2);
        // The gone photo's stored thumbnail is enlarged on a dense screen: only the others are
        // painted pixel for pixel there.
        if (picture.devicePixelRatio() == ratio && differingPixels(painted, origin * ratio, picture) != 0)
            return false;
    }
    return true;
}

// The Before and After pictures of the Brightness/Contrast dialog, fitted and in Pan Mode.
bool measureDialog(Program& program, Measures& sizes)
{
    const Image photo = detailedPhoto(1500, 1000);
    BrightnessContrastModel model(false);
    BrightnessContrastDialog dialog(nullptr, model, photo, program.app->allocator(), [](const Image&) { return std::nullopt; });
    dialog.show();
    PreviewPane& before = *dialog.beforePane();
    sizes[QStringLiteral("before.fitted")] = before.shownImage().size();
    sizes[QStringLiteral("after.fitted")] = dialog.afterPane()->shownImage().size();
    // The pane paints its picture centred.
    const QImage painted = before.grab().toImage();
    const QImage& shown = before.shownImage();
    const QSize size = shown.deviceIndependentSize().toSize();
    const QPoint origin((before.width() - size.width()) / 2, (before.height() - size.height()) / 2);
    // Pixel for pixel where the screen's ratio is the picture's (a fractional scale shrinks it).
    const qreal ratio = before.devicePixelRatioF();
    const int differing = shown.devicePixelRatio() == ratio ? differingPixels(painted, origin * ratio, shown) : 0;
    if (differing != 0) {
        qWarning("%d pixels differ; picture %dx%d at %d,%d in a grab of %dx%d", differing, shown.width(), shown.height(),
            origin.x(), origin.y(), painted.width(), painted.height());
        return false;
    }
    dialog.findChild<QCheckBox*>(QStringLiteral("panMode"))->setChecked(true);
    sizes[QStringLiteral("before.pan")] = before.shownImage().size();
    return true;
}

} // namespace

void DensePreviewTest::thumbnailsAndPreviewsHaveTwiceThePixelsOfTheOneTimesRun()
{
    Program program;
    Measures here;
    QVERIFY(measureGrid(program, here));
    QVERIFY(measureDialog(program, here));

    // The run at ratio 1 only reports its measures.
    const QString report = test::childReportFile("GLIMMER_DENSE_PREVIEW_REPORT");
    if (!report.isEmpty()) {
        test::writeSizes(here, report);
        return;
    }
    if (qApp->devicePixelRatio() != 2.0)
        QSKIP("the screen's device pixel ratio is not 2 (QT_SCALE_FACTOR=2 sets it)");

    const QString reportFile = QString::fromStdString((program.dir / "one.txt").string());
    QVERIFY(test::rerunAtScale(QStringLiteral("thumbnailsAndPreviewsHaveTwiceThePixelsOfTheOneTimesRun"),
        QStringLiteral("1"), "GLIMMER_DENSE_PREVIEW_REPORT", reportFile));
    const Measures one = test::readSizes(reportFile);
    QCOMPARE(one.size(), std::size_t(6));
    const QString mismatch = test::firstSizeNotDoubled(one, here, { QStringLiteral("thumbnail.gone") });
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void DensePreviewTest::pagePicturesAverageTheirPhotoAtEveryRatio()
{
    // A photo of one-pixel black and white columns: any reduction by a whole factor is even gray,
    // which a reduction that skips source pixels would not give.
    auto stripes = std::make_shared<Image>(Image::create(240, 160, 24).value());
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            std::fill_n(stripes->row(y) + 3 * x, 3, std::uint8_t(x % 2 ? 255 : 0));
    PhotoCache cache;
    for (const qreal ratio : { 1.0, 2.0 }) {
        const QImage& picture = cache.picture(stripes, QSize(60, 40), ratio);
        QCOMPARE(picture.size(), QSize(60, 40) * ratio);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        for (const QPoint at : { QPoint(0, 0), QPoint(17, 9), QPoint(picture.width() - 1, picture.height() - 1) })
            QCOMPARE(picture.pixelColor(at), QColor(128, 128, 128));
    }
    // An enlargement is scaled smoothly: the stripes blend between their columns.
    const QImage& larger = cache.picture(stripes, QSize(480, 320), 1.0);
    QCOMPARE(larger.size(), QSize(480, 320));
    QVERIFY(larger.pixelColor(240, 100).red() > 0 && larger.pixelColor(240, 100).red() < 255);
}

QTEST_MAIN(DensePreviewTest)
