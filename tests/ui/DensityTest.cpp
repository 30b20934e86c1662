// The window on a high-density screen. Run at device pixel ratio 2 (QT_SCALE_FACTOR=2), the test
// measures the frame's button pictures and a photo painted on the page, runs itself again at
// ratio 1 for the same measures, and checks that every picture has twice the pixels each way,
// and that the bar paints its 2x pictures pixel for pixel rather than enlarging 1x ones.

#include "DensityTest.h"

#include "FakeHost.h"
#include "ScaleRerun.h"
#include "TempDir.h"
#include "app/App.h"
#include "frame/MainFrame.h"
#include "shell/ButtonIds.h"
#include "skin/ButtonBar.h"
#include "skin/SkinDensity.h"
#include "views/PageView.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <map>

using namespace gp;
using namespace gp::ui;


namespace {

using Measures = test::PictureSizes;

struct Window {
    test::TempDir dir;
    test::FakeHost host;
    std::unique_ptr<App> app;
    std::unique_ptr<MainFrame> frame;

    Window()
    {
        std::filesystem::copy_file(GLIMMER_DEFAULT_INI, dir / "GLMPRESS.INI");
        Paths paths;
        paths.settingsDir = dir.path();
        paths.programDir = GLIMMER_BUILD_DATADIR;
        paths.dataDir = dir / "data";
        paths.libraryDir = dir / "lib";
        app = std::make_unique<App>(host, paths);
        app->readSettings();
        frame = std::make_unique<MainFrame>(*app, false, 24);
    }

    // A large photo with detail across it, so a dense screen has more of it to show.
    bool openPhoto()
    {
        const QString path = QString::fromStdString((dir / "wide.bmp").string());
        if (QProcess::execute(QStringLiteral("convert"), { QStringLiteral("-size"), QStringLiteral("1200x800"),
                                                               QStringLiteral("gradient:red-blue"), QStringLiteral("-swirl"),
                                                               QStringLiteral("180"), QStringLiteral("bmp3:") + path })
            != 0)
            return false;
        frame->openArguments({ path });
        return true;
    }

    // The pixel sizes of the frame bar's painted picture, of its button pictures, and of the
    // photos the page view painted.
    Measures measure()
    {
        Measures sizes;
        ButtonBar& bar = *frame->buttonBar();
        sizes[QStringLiteral("bar")] = bar.grab().size();
        for (const ButtonRecord& record : bar.records())
            for (int k = 0; k < 3; ++k)
                if (!record.images[k].isNull())
                    sizes[QStringLiteral("button%1.%2").arg(record.id).arg(k)] = record.images[k].size();
        PageView& view = *frame->pageView();
        (void)view.grab();
        int n = 0;
        for (const QImage& picture : view.photoCache().pictures())
            sizes[QStringLiteral("photo%1").arg(n++)] = picture.size();
        return sizes;
    }
};

} // namespace

void DensityTest::picturesHaveTwiceThePixelsOfTheOneTimesRun()
{
    Window window;
    window.frame->resize(800, 600);
    QVERIFY(window.openPhoto());
    const Measures here = window.measure();
    QVERIFY(here.count(QStringLiteral("photo0")));

    // The run at ratio 1 only reports its measures.
    const QString report = test::childReportFile("GLIMMER_DENSITY_REPORT");
    if (!report.isEmpty()) {
        test::writeSizes(here, report);
        return;
    }
    const qreal ratio = window.frame->devicePixelRatioF();
    if (ratio != 2.0)
        QSKIP("the screen's device pixel ratio is not 2 (QT_SCALE_FACTOR=2 sets it)");

    const QString reportFile = QString::fromStdString((window.dir / "one.txt").string());
    QVERIFY(test::rerunAtScale(QStringLiteral("picturesHaveTwiceThePixelsOfTheOneTimesRun"), QStringLiteral("1"),
        "GLIMMER_DENSITY_REPORT", reportFile));
    const Measures one = test::readSizes(reportFile);
    QVERIFY(one.size() > 20);
    const QString mismatch = test::firstSizeNotDoubled(one, here);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    // A button's picture lands in the bar's painted pixels unchanged (the first one shown plain:
    // a disabled one wears a wash).
    ButtonBar& bar = *window.frame->buttonBar();
    const QImage painted = bar.grab().toImage();
    const ButtonRecord* shown = nullptr;
    for (const ButtonRecord& record : bar.records())
        if (!shown && record.state == ButtonState::Normal && !record.images[0].isNull() && record.kind == ButtonKind::Push)
            shown = &record;
    QVERIFY(shown && shown->images[0].devicePixelRatio() == 2.0);
    const auto place = bar.rectOf(shown->id);
    QVERIFY(place);
    const QImage picture = shown->images[0].convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3)
            differing += painted.pixel(place->left() * 2 + x, place->top() * 2 + y) != picture.pixel(x, y);
    QCOMPARE(differing, 0);
}

void DensityTest::fractionalScalesTakeTheNextSizeUp()
{
    const std::filesystem::path skin = std::filesystem::path(GLIMMER_BUILD_DATADIR) / "ui" / "button.800";
    QCOMPARE(densityFile(skin, 1.0).density, 1);
    QCOMPARE(densityFile(skin, 1.0).path, skin);
    for (qreal ratio : { 1.25, 1.5, 2.0, 3.0 }) {
        const DensityFile file = densityFile(skin, ratio);
        QCOMPARE(file.density, 2);
        QCOMPARE(QString::fromStdString(file.path.filename().string()), QStringLiteral("button@2x.800"));
    }
    // Without a 2x drawing the 1x one serves every screen.
    test::TempDir dir;
    const std::filesystem::path alone = dir / "copies.800";
    QFile(QString::fromStdString(alone.string())).open(QIODevice::WriteOnly);
    QCOMPARE(densityFile(alone, 2.0).path, alone);
    QCOMPARE(densityFile(alone, 2.0).density, 1);
}

QTEST_MAIN(DensityTest)
