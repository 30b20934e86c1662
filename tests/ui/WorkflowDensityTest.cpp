// The Crop, Edit and Frame Photo screens on a high-density screen. Run at device pixel ratio 2,
// the case measures the picture each screen paints, runs itself again at ratios 1 and 1.5 for the
// same measures, and checks that every painted picture has twice the pixels each way of the 1x
// run (at 1.5 too, the next size up), that it lands in the window's pixels unchanged (made at the
// screen's pixels, not enlarged), and that the same crop drags cut exactly the same photo at
// every ratio. A second case moves the window between an ordinary screen and a dense one while
// each screen has a photo open, and checks that the screen then shows exactly what it shows when
// started on the new screen, with the same crop, effect and frame placement.

#include "DensityTest.h"

#include "FrameFixture.h"
#include "ScaleRerun.h"
#include "codecs/BmpWriter.h"
#include "editing/workflow/DisplayCopy.h"
#include "screens/WorkflowCanvas.h"
#include "shell/ButtonIds.h"
#include "skin/ButtonBar.h"
#include "views/AlbumGrid.h"
#include "views/AlbumStrip.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
#include <map>
#include <tuple>

using namespace gp;
using namespace gp::ui;
using namespace gp::test;

namespace {

// Each measure doubles at ratio 2, or stays the same.
enum class Expect { Twice, Same };

struct Measure {
    Expect expect = Expect::Twice;
    QSize size;
};

using WorkflowMeasures = std::map<QString, Measure>;

constexpr Size kPhoto { 1500, 600 };

struct Screens : FrameFixture<> {
    Screens() : FrameFixture({ .builtLibraries = true, .shown = true }) { }

    // A wide photo with detail everywhere, so each pixel of a painted copy can be told apart.
    void openPhoto()
    {
        Image photo = Image::create(kPhoto.width, kPhoto.height, 24).value();
        for (int y = 0; y < kPhoto.height; ++y)
            for (int x = 0; x < kPhoto.width; ++x) {
                std::uint8_t* p = photo.row(y) + 3 * x;
                p[0] = std::uint8_t(x * 255 / kPhoto.width);
                p[1] = std::uint8_t(y * 255 / kPhoto.height);
                p[2] = std::uint8_t((x * 7) ^ (y * 13));
            }
        const std::string path = (dir / "wide.bmp").string();
        QVERIFY(writeBmpFile(path, photo) == WriteResult::Written);
        frame->openArguments({ QString::fromStdString(path) });
        QVERIFY(app->activeDocument() != nullptr);
        frame->timerTick();
    }

    void click(int button)
    {
        ButtonBar& bar = *frame->buttonBar();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.rectOf(button).value().center());
    }

    WorkflowCanvas* canvas(const char* name) const
    {
        return static_cast<WorkflowCanvas*>(frame->findChild<QWidget*>(name));
    }

    // Frame Photo with the photo set into the strip's first frame and moved right once.
    WorkflowCanvas* frameWithFirstFrameMoved()
    {
        click(button::FramePhoto);
        WorkflowCanvas* framed = canvas("frameCanvas");
        auto* strip = static_cast<AlbumStrip*>(frame->findChild<QWidget*>("frameStrip"));
        if (!framed || !strip || strip->session().list().count() == 0)
            return nullptr;
        AlbumGrid* grid = strip->grid();
        grid->scrollTo(0);
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(0).center());
        click(button::MoveRight);
        return framed;
    }
};

// The canvas's painted pixels at its picture's place hold the picture's own pixels.
int differingPixels(WorkflowCanvas& canvas)
{
    const QImage painted = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = canvas.picture().convertToFormat(QImage::Format_RGB32);
    const Rect place = canvas.place();
    int differing = 0;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3)
            differing += painted.pixel(place.left + x, place.top + y) != picture.pixel(x, y);
    return differing;
}

// A checksum of the new document's pixels, so the two runs compare whole crops.
QSize checksum(const Image& image)
{
    std::uint32_t hash = 2166136261u;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 3 * image.width(); ++x)
            hash = (hash ^ image.row(y)[x]) * 16777619u;
    return { int(hash & 0xffff), int(hash >> 16) };
}

void write(const WorkflowMeasures& measures, const QString& file)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return;
    for (const auto& [name, m] : measures)
        out.write(QStringLiteral("%1 %2 %3 %4\n")
                      .arg(name)
                      .arg(m.expect == Expect::Twice ? 2 : 1)
                      .arg(m.size.width())
                      .arg(m.size.height())
                      .toUtf8());
}

WorkflowMeasures read(const QString& file)
{
    WorkflowMeasures measures;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return measures;
    for (const QByteArray& line : in.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 4)
            measures[QString::fromUtf8(parts[0])]
                = { parts[1] == "2" ? Expect::Twice : Expect::Same, QSize(parts[2].toInt(), parts[3].toInt()) };
    }
    return measures;
}

} // namespace

void DensityTest::workflowScreensPaintThePhotoAtDevicePixels()
{
    Screens s;
    s.openPhoto();
    WorkflowMeasures here;
    const qreal ratio = s.frame->devicePixelRatioF();
    const QString report = test::childReportFile("GLIMMER_DENSITY_REPORT");
    const bool compareHere = report.isEmpty() && ratio == 2.0;

    // Crop: the view as entered, then three drags in the canvas's own units and OK.
    s.click(button::CropPhoto);
    WorkflowCanvas* crop = s.canvas("cropCanvas");
    QVERIFY(crop && !crop->picture().isNull());
    here["crop.picture"] = { Expect::Twice, crop->picture().size() };
    s.click(button::AnyShape);
    // The wide photo fills the canvas's width; the free rectangle starts on its left edge.
    const Rect shown = fittedRect(kPhoto, { crop->width(), crop->height() });
    QCOMPARE(shown.left, 0);
    const int middle = (shown.top + shown.bottom) / 2;
    drag(crop, QPoint(shown.left, middle), QPoint(shown.left + 57, middle), 3);
    drag(crop, QPoint(shown.left + 57, shown.top), QPoint(shown.left + 88, shown.top + 17), 4);
    drag(crop, QPoint(shown.left + 150, middle), QPoint(shown.left + 131, middle + 7), 5);
    s.click(button::CropOk);
    const Image& cut = s.app->activeDocument()->image();
    QVERIFY(cut.width() < kPhoto.width - 200 && cut.height() < kPhoto.height - 20);
    here["crop.cut"] = { Expect::Same, QSize(cut.width(), cut.height()) };
    here["crop.pixels"] = { Expect::Same, checksum(cut) };

    // Edit: the preview of an effect, and the list's pictures of the effects.
    s.click(button::EditPhoto);
    WorkflowCanvas* edit = s.canvas("editCanvas");
    auto* list = s.frame->findChild<QListWidget*>("effectList");
    QVERIFY(edit && list);
    const auto sepia = list->findItems(QStringLiteral("Sepia"), Qt::MatchExactly);
    QCOMPARE(sepia.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(sepia[0]).center());
    here["edit.preview"] = { Expect::Twice, edit->picture().size() };
    if (compareHere)
        QCOMPARE(differingPixels(*edit), 0);
    QListWidgetItem* last = list->item(list->count() - 1);
    QTRY_VERIFY(last->icon().pixmap(list->iconSize()).toImage().pixelColor(4, 4) != QColor(Qt::darkGray));
    here["edit.effectPicture"] = { Expect::Twice, last->icon().pixmap(list->iconSize()).size() };
    s.click(button::EditCancel);

    // Frame: the photo set into the strip's first frame, moved once.
    WorkflowCanvas* framed = s.frameWithFirstFrameMoved();
    QVERIFY(framed);
    here["frame.preview"] = { Expect::Twice, framed->picture().size() };
    if (compareHere)
        QCOMPARE(differingPixels(*framed), 0);
    s.click(button::FrameCancel);

    // The runs at the other ratios only report their measures.
    if (!report.isEmpty()) {
        write(here, report);
        return;
    }
    if (ratio != 2.0)
        QSKIP("the screen's device pixel ratio is not 2 (QT_SCALE_FACTOR=2 sets it)");

    // The same steps at ratio 1, and at 1.5, which takes the next size up: the pictures of 2.
    const auto runAt = [&](const QString& scale, WorkflowMeasures& measures) {
        const QString reportFile = QString::fromStdString((s.dir / ("workflow-" + scale.toStdString() + ".txt")).string());
        QVERIFY(test::rerunAtScale(
            QStringLiteral("workflowScreensPaintThePhotoAtDevicePixels"), scale, "GLIMMER_DENSITY_REPORT", reportFile));
        measures = read(reportFile);
        QCOMPARE(measures.size(), here.size());
    };
    WorkflowMeasures one;
    WorkflowMeasures fractional;
    runAt(QStringLiteral("1"), one);
    runAt(QStringLiteral("1.5"), fractional);
    if (QTest::currentTestFailed())
        return;
    for (const auto& [name, m] : one) {
        QVERIFY2(here.count(name), qPrintable(name));
        const QSize expected = m.expect == Expect::Twice ? m.size * 2 : m.size;
        const QSize found = here.at(name).size;
        QVERIFY2(found == expected,
            qPrintable(QStringLiteral("%1: %2x%3 at 2, %4x%5 at 1")
                           .arg(name)
                           .arg(found.width())
                           .arg(found.height())
                           .arg(m.size.width())
                           .arg(m.size.height())));
        // The list's icon is drawn at the icon engine's own choice of size on a fractional screen.
        if (name != QStringLiteral("edit.effectPicture"))
            QVERIFY2(fractional.at(name).size == found, qPrintable(name + QStringLiteral(" at 1.5")));
    }
}

namespace {

// What one pass over the three screens leaves: the picture each canvas shows after the window
// moved (or stayed), and the pixels of each result.
struct Pass {
    QImage crop;
    QSize cropCut;
    QSize cropPixels;
    QImage edit;
    QString strength;
    QSize editPixels;
    QImage frame;
    QSize framePixels;
    // The pictures that did not land in the window's pixels unchanged (the crop's outline covers
    // its picture, so only the edit and frame pictures are compared).
    QStringList unpainted;
};

// Opens the photo with the window on screen `from`, and on each screen sets a crop, an effect
// one step stronger, a frame moved by a button and a drag, then moves the window to `to` (when
// given) before taking the picture and the result. The window goes back to `from` between
// screens, so each starts at the same density.
void passOver(QScreen* from, QScreen* to, Pass& pass)
{
    Screens s;
    s.frame->setScreen(from);
    const auto moveTo = [&s](QScreen* screen, WorkflowCanvas* canvas) {
        s.frame->setScreen(screen);
        const int density = qCeil(screen->devicePixelRatio() - 0.01);
        QTRY_COMPARE(canvas->density(), density);
    };
    s.openPhoto();

    s.click(button::CropPhoto);
    WorkflowCanvas* crop = s.canvas("cropCanvas");
    QVERIFY(crop && !crop->picture().isNull());
    s.click(button::AnyShape);
    const Rect shown = fittedRect(kPhoto, { crop->width(), crop->height() });
    const int middle = (shown.top + shown.bottom) / 2;
    drag(crop, QPoint(shown.left, middle), QPoint(shown.left + 57, middle), 3);
    drag(crop, QPoint(shown.left + 150, middle), QPoint(shown.left + 131, middle + 7), 5);
    if (to)
        moveTo(to, crop);
    pass.crop = crop->picture();
    s.click(button::CropOk);
    const Image& cut = s.app->activeDocument()->image();
    pass.cropCut = { cut.width(), cut.height() };
    pass.cropPixels = checksum(cut);
    s.frame->setScreen(from);

    s.click(button::EditPhoto);
    WorkflowCanvas* edit = s.canvas("editCanvas");
    auto* list = s.frame->findChild<QListWidget*>("effectList");
    auto* strength = s.frame->findChild<QLabel*>("effectStrength");
    QVERIFY(edit && list && strength);
    const auto sepia = list->findItems(QStringLiteral("Sepia"), Qt::MatchExactly);
    QCOMPARE(sepia.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(sepia[0]).center());
    s.click(button::Stronger);
    if (to)
        moveTo(to, edit);
    pass.edit = edit->picture();
    pass.strength = strength->text();
    if (differingPixels(*edit) != 0)
        pass.unpainted << QStringLiteral("edit");
    s.click(button::EditOk);
    pass.editPixels = checksum(s.app->activeDocument()->image());
    s.frame->setScreen(from);

    WorkflowCanvas* framed = s.frameWithFirstFrameMoved();
    QVERIFY(framed);
    const QPoint centre = framed->fromDisplay(framed->place()).center().toPoint();
    drag(framed, centre, centre + QPoint(7, -4), 2);
    if (to)
        moveTo(to, framed);
    pass.frame = framed->picture();
    if (differingPixels(*framed) != 0)
        pass.unpainted << QStringLiteral("framed");
    s.click(button::FrameOk);
    pass.framePixels = checksum(s.app->activeDocument()->image());
}

// Two screens side by side, the second of twice the pixels: the offscreen platform's screens are
// named in a file, and Qt's scale factors for named screens give the second its ratio.
constexpr const char* kTwoScreens = R"({ "screens": [
    { "name": "plain", "x": 0, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96 },
    { "name": "dense", "x": 1600, "y": 0, "width": 3200, "height": 2400, "logicalDpi": 96, "logicalBaseDpi": 96 }
] })";
constexpr const char* kScreenFactors = "plain=1;dense=2";

QScreen* screenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

} // namespace

void DensityTest::workflowScreensFollowTheWindowToAScreenOfAnotherScale()
{
    if (qEnvironmentVariableIsEmpty("GLIMMER_TWO_SCREENS")) {
        // The case runs itself again with an ordinary screen and a dense one, and no scale
        // factor over both.
        Screens s;
        const QString config = QString::fromStdString((s.dir / "two-screens.json").string());
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kTwoScreens);
        file.close();
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        environment.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"), QString::fromLatin1(kScreenFactors));
        environment.insert(QStringLiteral("GLIMMER_TWO_SCREENS"), QStringLiteral("1"));
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("workflowScreensFollowTheWindowToAScreenOfAnotherScale") });
        QVERIFY(run.waitForFinished(300000));
        QCOMPARE(run.exitCode(), 0);
        return;
    }
    QScreen* plain = screenNamed(QStringLiteral("plain"));
    QScreen* dense = screenNamed(QStringLiteral("dense"));
    QVERIFY(plain && dense);
    QCOMPARE(plain->devicePixelRatio(), 1.0);
    QCOMPARE(dense->devicePixelRatio(), 2.0);

    // Moved up to the dense screen, each screen shows what it shows when started there, with
    // the crop, the effect and the frame's place unchanged; and likewise moved down.
    Pass up, denseAlong, down, plainAlong;
    passOver(plain, dense, up);
    passOver(dense, nullptr, denseAlong);
    passOver(dense, plain, down);
    passOver(plain, nullptr, plainAlong);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(denseAlong.crop.size(), plainAlong.crop.size() * 2);
    QCOMPARE(denseAlong.frame.size(), plainAlong.frame.size() * 2);
    for (const auto& [moved, along, name] :
        { std::tuple { &up, &denseAlong, "up" }, std::tuple { &down, &plainAlong, "down" } }) {
        QVERIFY2(moved->unpainted.isEmpty(),
            qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), moved->unpainted.join(u' '))));
        QVERIFY2(moved->crop == along->crop, name);
        QVERIFY2(moved->edit == along->edit, name);
        QCOMPARE(moved->strength, along->strength);
        QVERIFY2(moved->frame == along->frame, name);
    }
    // The results come from the photo, whatever the screens did.
    for (const Pass* pass : { &up, &denseAlong, &down }) {
        QCOMPARE(pass->cropCut, plainAlong.cropCut);
        QCOMPARE(pass->cropPixels, plainAlong.cropPixels);
        QCOMPARE(pass->editPixels, plainAlong.editPixels);
        QCOMPARE(pass->framePixels, plainAlong.framePixels);
    }
}
