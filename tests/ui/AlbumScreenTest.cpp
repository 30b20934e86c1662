// The Get Photos screen on the real frame: the grid's scroll range, Shift selection and drag
// reorder by mouse, the album clipboard, drops, the Properties rename, saving on close, Print
// Thumbnails to a PDF file, the slide-show window and a scan landing in the open album.

#include "AlbumScreenTest.h"
#include "QtRequire.h"

#include "ExternalTools.h"
#include "FrameFixture.h"
#include "SaneTestDevice.h"
#include "album/AlbumFile.h"
#include "album/SlideShow.h"
#include "codecs/WriteImageFile.h"
#include "dialogs/PhotoPropertiesDialog.h"
#include "dialogs/PrintThumbnailsDialog.h"
#include "frame/QtHost.h"
#include "gfx/QtPrinterCatalog.h"
#include "screens/GetPhotosScreen.h"
#include "shell/CommandIds.h"
#include "views/AlbumGrid.h"
#include "views/AlbumStrip.h"
#include "views/SlideShowWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QPointer>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace gp;
using namespace gp::ui;
using namespace gp::test;

namespace {

// Answers the next modal dialog: adjust sees it first, then it is accepted.
void answerNextDialog(std::function<void(QDialog*)> adjust = {})
{
    QTimer::singleShot(0, [adjust] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (adjust)
            adjust(dialog);
        dialog->accept();
    });
}

struct Fixture : test::FrameFixture<> {
    explicit Fixture(int depth = 24)
        : FrameFixture({ .builtLibraries = true, .shown = true, .depth = depth })
    {
    }

    GetPhotosScreen& screen() { return dynamic_cast<GetPhotosScreen&>(frame->screen(Screen::GetPhotos)); }
    AlbumGrid& grid() { return *screen().grid(); }
    AlbumList& album() { return screen().session().list(); }
    void open() { QVERIFY(app->screens().switchTo(Screen::GetPhotos)); }
    void leave() { app->screens().cancel(); }

    std::string photo(const std::string& name, std::uint8_t shade = 90)
    {
        const std::string path = (dir / name).string();
        if (writeImageFile(app->imageFiles(), 1, solid(40, 30, QColor(shade, 40, 200)), path) != WriteResult::Written)
            qWarning("cannot write %s", path.c_str());
        return path;
    }
    // n photos dropped on the grid, as files from the desktop arrive.
    void drop(int n, const std::string& prefix = "p")
    {
        QStringList paths;
        for (int i = 0; i < n; ++i)
            paths << QString::fromStdString(photo(prefix + std::to_string(i) + ".bmp", std::uint8_t(10 * i)));
        QCOMPARE(grid().addDroppedFiles(paths), n);
    }
    std::string nameOf(int index) { return std::filesystem::path(album().photos()[std::size_t(index)].record.path).stem(); }
    QPoint cellCentre(int cell) { return grid().cellRect(cell).center(); }
};

} // namespace

void AlbumScreenTest::scrollRangeSelectionAndDragOnTheGrid()
{
    Fixture f;
    f.open();
    QVERIFY(f.screen().grid()->isVisible());
    QCOMPARE(f.screen().nameField()->text(), QStringLiteral("Untitled-1"));
    f.drop(13);
    QCOMPARE(f.screen().scrollBar()->maximum(), 1);
    QCOMPARE(f.screen().scrollBar()->value(), 1); // an add shows the last row
    f.screen().scrollBar()->setValue(0);
    QCOMPARE(f.album().firstVisibleRow(), 0);

    // Shift-click from item 2 to item 7 selects exactly 2..7.
    click(&f.grid(), f.cellCentre(2));
    click(&f.grid(), f.cellCentre(7), Qt::ShiftModifier);
    QCOMPARE(f.grid().model().selectedItems(), (std::vector<int> { 2, 3, 4, 5, 6, 7 }));

    // Deleting one photo (thumbnail only) brings the range back to 0.
    click(&f.grid(), f.cellCentre(0));
    answerNextDialog();
    f.screen().removePhotos();
    QCOMPARE(f.album().count(), 12);
    QCOMPARE(f.screen().scrollBar()->maximum(), 0);
    QCOMPARE(f.album().firstVisibleRow(), 0);
    QVERIFY(std::filesystem::exists(f.dir / "p0.bmp")); // the file stays

    // Dragging item 0 onto item 5's cell moves it there; 1..5 move up one place.
    click(&f.grid(), f.cellCentre(0));
    const std::string first = f.nameOf(0);
    mouse(&f.grid(), QEvent::MouseButtonPress, f.cellCentre(0));
    mouse(&f.grid(), QEvent::MouseMove, f.cellCentre(2));
    mouse(&f.grid(), QEvent::MouseMove, f.cellCentre(5));
    mouse(&f.grid(), QEvent::MouseButtonRelease, f.cellCentre(5));
    QCOMPARE(f.nameOf(5), first);
    QCOMPARE(f.nameOf(0), std::string("p2"));
    QVERIFY(f.album().isModified());

    // Released outside every cell: a beep, nothing moves.
    mouse(&f.grid(), QEvent::MouseButtonPress, f.cellCentre(1));
    mouse(&f.grid(), QEvent::MouseMove, f.cellCentre(3));
    const std::string second = f.nameOf(1);
    mouse(&f.grid(), QEvent::MouseButtonRelease, QPoint(f.grid().shape().cell + 1, 4)); // between two cells
    QCOMPARE(f.nameOf(1), second);

    // The grid paints the thumbnails (a photo's colour inside its cell) and the selection.
    const QImage shot = f.grid().grab().toImage();
    const QColor inside = shot.pixelColor(f.cellCentre(0));
    QCOMPARE(inside.blue(), 200);
    QCOMPARE(inside.green(), 40);
}

void AlbumScreenTest::lowColourScreensPaintThumbnailsInTheirColours()
{
    // An 8-bit screen shows the thumbnails dithered into the 6 x 6 x 6 colour cube (every
    // channel a multiple of 51), a 4-bit one in the eight corner colours.
    for (const int depth : { 8, 4 }) {
        Fixture f(depth);
        f.open();
        f.drop(2);
        const QImage shot = f.grid().grab().toImage();
        const QRect box = f.grid().cellRect(0);
        bool sawBlue = false;
        for (int y = box.center().y() - 4; y <= box.center().y() + 4; ++y)
            for (int x = box.center().x() - 4; x <= box.center().x() + 4; ++x) {
                const QColor c = shot.pixelColor(x, y);
                for (const int channel : { c.red(), c.green(), c.blue() }) {
                    if (depth == 8)
                        QVERIFY2(channel % 51 == 0, qPrintable(QStringLiteral("%1 at %2,%3").arg(channel).arg(x).arg(y)));
                    else
                        QVERIFY2(channel == 0 || channel == 255, qPrintable(QString::number(channel)));
                }
                sawBlue = sawBlue || c.blue() > c.red();
            }
        QVERIFY2(sawBlue, "the photo's blue shows through");
    }
}

void AlbumScreenTest::aChangedSelectionPlaysTheShutterSound()
{
    Fixture f;
    // A sound player of our own first on the search path writes down what it was asked to play.
    const std::filesystem::path bin = f.dir / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path log = f.dir / "played.txt";
    test::writeFile(bin / "paplay", "#!/bin/sh\necho \"$@\" >> '" + log.string() + "'\n");
    std::filesystem::permissions(bin / "paplay", std::filesystem::perms::owner_all);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.string()) + ':' + oldPath);
    const auto played = [&] {
        std::ifstream in(log);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    };

    f.open();
    f.drop(3);
    click(&f.grid(), f.cellCentre(0));
    QTRY_COMPARE(played().size(), std::size_t(1));
    QVERIFY(played()[0].ends_with("/snap.wav"));
    QVERIFY(std::filesystem::exists(played()[0]));
    // The same photo again changes nothing and stays silent; Ctrl adds one and clicks again.
    click(&f.grid(), f.cellCentre(0));
    click(&f.grid(), f.cellCentre(2), Qt::ControlModifier);
    QTRY_COMPARE(played().size(), std::size_t(2));
    QTest::qWait(200);
    QCOMPARE(played().size(), std::size_t(2));
    qputenv("PATH", oldPath);
}

void AlbumScreenTest::clipboardDropsAndProperties()
{
    Fixture f;
    f.open();
    f.drop(4);
    // Paste into the album the photo came from: one copy, at the end.
    click(&f.grid(), f.cellCentre(1));
    f.grid().copy();
    f.grid().paste();
    QCOMPARE(f.album().count(), 4);
    QCOMPARE(f.nameOf(3), std::string("p1"));
    QCOMPARE(f.grid().model().current(), 3);

    // A text file dropped with two photos: the two photos come in.
    test::writeFile(f.dir / "notes.txt", "just text");
    const QStringList dropped { QString::fromStdString((f.dir / "notes.txt").string()),
        QString::fromStdString(f.photo("x.bmp")), QString::fromStdString(f.photo("y.bmp")) };
    QCOMPARE(f.grid().addDroppedFiles(dropped), 2);
    QCOMPARE(f.album().count(), 6);
    QCOMPARE(f.nameOf(5), std::string("y"));

    // Properties: renaming to a taken name keeps the dialog open with "File already exists";
    // a free name moves the file and the album follows.
    PhotoRecord& record = f.album().photos()[5].record;
    {
        PhotoPropertiesDialog dialog(nullptr, record);
        QCOMPARE(dialog.nameField()->text(), QStringLiteral("y"));
        dialog.nameField()->setText(QStringLiteral("x"));
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        dialog.accept();
        QVERIFY(!dialog.renamed());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.nameField()->setText(QStringLiteral("renamed"));
        dialog.accept();
        QVERIFY(dialog.renamed());
    }
    QVERIFY(record.path.ends_with("/renamed.bmp"));
    QVERIFY(std::filesystem::exists(record.path));
    QVERIFY(!std::filesystem::exists(f.dir / "y.bmp"));
}

void AlbumScreenTest::closingSavesAndEmptyAlbumsDisappear()
{
    Fixture f;
    f.open();
    f.drop(3);
    f.screen().nameField()->setText(QStringLiteral("Summer"));
    f.leave();
    AlbumRegistry& registry = f.app->albums().registry;
    QCOMPARE(registry.count(AlbumFamily::General), 1);
    QCOMPARE(registry.displayName(AlbumFamily::General, 0), std::string("Summer"));
    AlbumList saved;
    QVERIFY(loadAlbum(saved, registry.path(AlbumFamily::General, 0), f.dir / "data", f.app->allocator()));
    QCOMPARE(saved.count(), 3);

    // Back again: the same album; a new one left empty disappears on leaving.
    f.open();
    QCOMPARE(f.album().count(), 3);
    f.screen().newAlbum();
    QCOMPARE(registry.count(AlbumFamily::General), 2);
    QCOMPARE(f.screen().nameField()->text(), QStringLiteral("Untitled-2"));
    f.leave();
    QCOMPARE(registry.count(AlbumFamily::General), 1);
    QVERIFY(f.host.messages.empty());
}

void AlbumScreenTest::printThumbnailsMakesAPdfWithTheThumbnails()
{
    Fixture f;
    f.open();
    f.drop(3);
    const std::string pdf = (f.dir / "thumbs.pdf").string();
    gfx::QtPrinterCatalog printers; // as the program's start installs it
    f.app->printer().setCatalog(&printers);
    f.app->printer().selection().setChoice(gfx::filePrinter(gfx::kPdfDriver, pdf));
    answerNextDialog([](QDialog* dialog) {
        auto* print = dynamic_cast<PrintThumbnailsDialog*>(dialog);
        QVERIFY(print);
        print->names()->setChecked(true);
    });
    f.screen().printThumbnails();
    f.app->printer().setCatalog(nullptr);
    QVERIFY(std::filesystem::exists(pdf));
    const std::string png = (f.dir / "page").string();
    GLIMMER_QREQUIRE(runTool("pdftoppm -r 40 -png -singlefile '" + pdf + "' '" + png + "'"), std::string("pdftoppm is missing"));
    const QImage page(QString::fromStdString(png + ".png"));
    QVERIFY(!page.isNull());
    // Three thumbnails of the photos' blue on white paper.
    int blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            blue += c.blue() > 150 && c.green() < 90;
        }
    // Each 40 x 30 thumbnail prints 40/96 x 30/96 inch: about 200 pixels at 40 dpi.
    QVERIFY2(blue > 3 * 120 && blue < 3 * 300, qPrintable(QString::number(blue)));
}

void AlbumScreenTest::slideShowStartsAndEscapeEndsIt()
{
    Fixture f;
    f.open();
    f.drop(2);
    f.album().photos()[0].record.description = "At the beach";
    QVERIFY(f.screen().session().save());
    f.app->albums().slideShow = SlideShowSettings { false, true, 1 };
    QPointer<SlideShowWindow> show
        = SlideShowWindow::start(*f.app, f.screen().session().albumPath(), f.frame.get());
    QVERIFY(show);
    QVERIFY(!f.frame->isVisible()); // the main window hides
    QVERIFY(!f.frame->timerRunning()); // and its timer rests
    QTRY_COMPARE(show->caption(), QStringLiteral("At the beach"));
    QCOMPARE(show->show().timerInterval(), 80);
    QCOMPARE(show->lastEffect(), 0); // transitions off: a plain copy
    // The photo is centred on black; its colour is in the middle of the frame.
    const QImage frame = show->frameImage();
    QVERIFY(!frame.isNull());
    QCOMPARE(frame.pixelColor(frame.width() / 2, frame.height() / 2).blue(), 200);
    QCOMPARE(frame.pixelColor(0, 0), QColor(Qt::black));
    // Enter moves on at once.
    QTest::keyClick(show, Qt::Key_Return);
    QCOMPARE(show->show().currentIndex(), 1);
    QTest::keyClick(show, Qt::Key_Escape);
    QTRY_VERIFY(show.isNull());
    QVERIFY(f.frame->isVisible());
    QVERIFY(f.frame->timerRunning());

    // An album file that is not an album: the message, no window.
    test::writeFile(f.dir / "bad.abm", "nothing");
    QVERIFY(!SlideShowWindow::start(*f.app, f.dir / "bad.abm", f.frame.get()));
    QCOMPARE(f.host.messages.back().text, std::string("There are no images in the album."));
}

void AlbumScreenTest::scannedPhotosLandInTheOpenAlbum()
{
    Fixture f;
    f.open();
    f.drop(1);
    // The acquisition's delivery while the screen is shown stores the photo under a dated name.
    QVERIFY(f.app->acquisition().deliver);
    f.app->acquisition().deliver(solid(64, 48, QColor(250, 250, 10)));
    QCOMPARE(f.album().count(), 2);
    const std::string stored = f.album().photos()[1].record.path;
    QVERIFY(stored.ends_with(".jpg"));
    QVERIFY(std::filesystem::exists(stored));
    QCOMPARE(int(f.album().photos()[1].record.width), 64);
    f.leave();
    QVERIFY(f.app->acquisition().deliver); // the frame's own delivery is back
}

void AlbumScreenTest::escapeStopsALongAddOfThumbnails()
{
    // The real program's host: the files come from its file dialog and Escape from the keyboard.
    test::FrameFixture<QtHost> f({ .builtLibraries = true, .shown = true });
    const test::TempDir& dir = f.dir;
    App& app = *f.app;
    MainFrame& frame = *f.frame;
    QVERIFY(app.screens().switchTo(Screen::GetPhotos));
    auto& screen = dynamic_cast<GetPhotosScreen&>(frame.screen(Screen::GetPhotos));

    constexpr int kFiles = 40;
    QStringList names;
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "a" + std::to_string(100 + i) + ".bmp";
        QCOMPARE(writeImageFile(app.imageFiles(), 1, solid(60, 40, QColor(i, 90, 200)), (dir / name).string()),
            WriteResult::Written);
        names << QLatin1Char('"') + QString::fromStdString(name) + QLatin1Char('"');
    }
    // The file dialog gets every file; once the progress dialog has counted three, Escape
    // goes down (and stays down until the add is over, as a held key does).
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        chooser->setDirectory(QString::fromStdString(dir.path().string()));
        chooser->selectFile(names.join(QLatin1Char(' ')));
        static_cast<QDialog*>(chooser)->accept(); // the file dialog's own checks run
    });
    QProgressDialog* seen = nullptr;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* progress = frame.findChild<QProgressDialog*>();
        if (!progress || progress->value() < 3 || seen)
            return;
        seen = progress;
        QCOMPARE(progress->maximum(), kFiles);
        QTest::keyPress(progress, Qt::Key_Escape);
    });
    watcher.start();
    screen.addPhotos();
    watcher.stop();
    QTest::keyRelease(&frame, Qt::Key_Escape);
    QVERIFY2(seen, "the progress dialog counted the files");
    const int added = screen.session().list().count();
    QVERIFY2(added >= 3 && added < kFiles, qPrintable(QString::number(added)));
    // The files came in their order, and the album shows the last one added.
    QCOMPARE(std::filesystem::path(screen.session().list().photos()[0].record.path).filename().string(),
        std::string("a100.bmp"));
    QCOMPARE(screen.session().list().selection(), added - 1);
    QVERIFY(!frame.findChild<QProgressDialog*>() || !frame.findChild<QProgressDialog*>()->isVisible());
    app.screens().cancel();
}

void AlbumScreenTest::aScanFromTheTestScannerLandsInTheOpenAlbum()
{
    const std::string missing = test::saneTestBackendMissing();
    GLIMMER_QREQUIRE(missing.empty(), missing);
    // The real program's host, so the scanner's dialog and its news go through the message loop.
    test::FrameFixture<QtHost> f({ .builtLibraries = true, .shown = true, .configHome = true });
    App& app = *f.app;
    MainFrame& frame = *f.frame;
    QVERIFY(app.screens().switchTo(Screen::GetPhotos));
    auto& screen = dynamic_cast<GetPhotosScreen&>(frame.screen(Screen::GetPhotos));
    QCOMPARE(screen.session().list().count(), 0);
    Acquisition& acquisition = app.acquisition();
    acquisition.setSourceName("test:0");
    acquisition.setMultiScan(false);

    frame.runCommand(command::Acquire);
    QVERIFY(acquisition.sourceOpen());
    QDialog* source = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("sourceDialog") && widget->isVisible())
            source = qobject_cast<QDialog*>(widget);
    QVERIFY(source);
    source->findChild<QPushButton*>(QStringLiteral("scan"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(screen.session().list().count(), 1, 10000);
    QTRY_VERIFY(!acquisition.sourceOpen());
    // The scan became a photo file of the album, not a photo window.
    QCOMPARE(app.documents().count(), 0u);
    const PhotoRecord& record = screen.session().list().photos()[0].record;
    QVERIFY(std::filesystem::exists(record.path));
    QVERIFY(record.width > 0 && record.height > 0);
    QCOMPARE(screen.grid()->model().album().count(), 1);
    app.screens().cancel();
}

void AlbumScreenTest::stripReportsClicksAndRemembersItsPhoto()
{
    Fixture f;
    std::vector<std::string> clicked;
    {
        AlbumStrip strip(f.frame.get(), *f.app, 3, DisplaySetup { 24, &f.app->gammaTables(), nullptr });
        strip.setClickHandler([&](const std::string& path) { clicked.push_back(path); });
        strip.open();
        QCOMPARE(strip.session().albumCount(), 0); // the strips never make an album on opening
        for (int i = 0; i < 6; ++i)
            QVERIFY(strip.add(f.photo("s" + std::to_string(i) + ".bmp")));
        QVERIFY(!strip.add(f.photo("s0.bmp"))); // already there
        QCOMPARE(strip.session().albumName(), std::string("Untitled-1"));
        QCOMPARE(strip.session().family(), AlbumFamily::Edit);
        strip.grid()->scrollTo(2);
        click(strip.grid(), strip.grid()->cellRect(2).center());
        QCOMPARE(clicked.size(), std::size_t(1));
        QVERIFY(clicked[0].ends_with("/s4.bmp"));
        // Shift and Ctrl are refused in the strips.
        click(strip.grid(), strip.grid()->cellRect(0).center(), Qt::ShiftModifier);
        QCOMPARE(clicked.size(), std::size_t(1));
        QCOMPARE(strip.grid()->model().selectedItems(), (std::vector<int> { 4 }));
        strip.close();
    }
    // Reopened: the album was saved, and the remembered photo is in view, two rows down.
    AlbumStrip again(f.frame.get(), *f.app, 3, DisplaySetup { 24, &f.app->gammaTables(), nullptr });
    again.open();
    QCOMPARE(again.session().list().count(), 6);
    QCOMPARE(again.session().list().firstVisibleRow(), 2);
    QCOMPARE(again.grid()->model().current(), 4);
}

QTEST_MAIN(AlbumScreenTest)
