// The layout screen on the engine's page: what the page view paints, choosing layouts and
// categories, clicks and drags on cells, the layout list's rows and captions, printing the page
// from the frame to a PNG printer, Printer Setup, the printer dialog, the Printing window and
// the cache of scaled photos.

#include "LayoutScreenTest.h"

#include "FrameFixture.h"
#include "dialogs/PrintDialog.h"
#include "dialogs/PrinterDialog.h"
#include "dialogs/PrintingWindow.h"
#include "frame/QtHost.h"
#include "gfx/QtImage.h"
#include "gfx/QtPrinterCatalog.h"
#include "layout/PageCells.h"
#include "layout/PhotoFit.h"
#include "print/LayoutPagePrint.h"
#include "print/PrintDialogModel.h"
#include "shell/CommandIds.h"
#include "skin/ListControl.h"
#include "views/LayoutListView.h"
#include "views/PageView.h"
#include "views/PhotoCache.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

using namespace gp;
using namespace gp::ui;
using namespace gp::test;

namespace {

const QColor kRed(0xd0, 0x20, 0x20);
const QColor kBlue(0x20, 0x40, 0xd0);

// Category list rows: My Templates, Free Style, Landscape, Portrait, Mixed, One-Size.
constexpr int kFreeStyleRow = 1;
constexpr int kLandscapeRow = 2;
constexpr int kOneSizeRow = 5;

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24
        && std::abs(a.blue() - b.blue()) < 24;
}

int count(const QImage& image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += near(image.pixelColor(x, y), colour);
    return n;
}

Rect inset(const Rect& r, int by)
{
    return { r.left + by, r.top + by, r.right - by, r.bottom - by };
}

// The rectangle a photo of this size fills in a cell of the page view.
Rect shownPhoto(const Rect& cell, int percent, Size photo)
{
    return fitPhoto(inset(photoBox(cell, percent), 2), photo);
}

struct Fixture : test::FrameFixture<> {
    QImage shot() { return view().grab().toImage(); }
};

} // namespace

void LayoutScreenTest::pageViewPaintsTheEnginesPage()
{
    Fixture f;
    f.addPhoto(kRed);
    f.addPhoto(kBlue);
    const std::vector<Rect> cells = f.view().viewCells();
    QVERIFY(cells.size() >= 3);
    QImage shot = f.shot();

    // Each photo fills its fitted rectangle, corner to corner.
    const QColor colours[] = { kRed, kBlue };
    for (int i = 0; i < 2; ++i) {
        const Rect photo = shownPhoto(cells[std::size_t(i)], 100, { 120, 80 });
        QVERIFY(photo.width() > 10 && photo.height() > 10);
        for (QPoint at :
            { centre(photo), QPoint(photo.left + 1, photo.top + 1), QPoint(photo.right - 2, photo.bottom - 2) })
            QVERIFY2(near(shot.pixelColor(at), colours[i]), qPrintable(QStringLiteral("cell %1").arg(i)));
    }
    // Paper around the photos and in the empty third cell, the desk outside the paper.
    const Rect paper = f.view().paperRect();
    QCOMPARE(shot.pixelColor(paper.left + 2, paper.top + 2), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(centre(cells[2])), QColor(Qt::white));
    QVERIFY(shot.pixelColor(1, 1) != QColor(Qt::white));
    // The third cell is current: its edge is inverted paper; the first cell's edge is not outlined.
    QCOMPARE(f.app->layoutPage().currentCell(), 2);
    QCOMPARE(shot.pixelColor(cells[2].left, centre(cells[2]).y()), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(cells[0].left, centre(cells[0]).y()), QColor(Qt::white));
    // The empty cell shows the outline of its inset photo box.
    const Rect emptyBox = inset(photoBox(cells[2], 100), 2);
    QVERIFY(shot.pixelColor(emptyBox.left, centre(cells[2]).y()) != QColor(Qt::white));

    // At 80 % the photo box shrinks by a tenth of the cell on each side.
    f.app->layoutPage().setPercent(80);
    shot = f.shot();
    const Rect smaller = shownPhoto(cells[0], 80, { 120, 80 });
    QVERIFY(near(shot.pixelColor(centre(smaller)), kRed));
    QCOMPARE(shot.pixelColor(cells[0].left + cells[0].width() / 20, centre(cells[0]).y()), QColor(Qt::white));
    f.app->layoutPage().setPercent(100);

    // The cell under the mouse gets a dotted outline of its box.
    const QImage before = f.shot();
    mouse(&f.view(), QEvent::MouseMove, centre(cells[1]), Qt::NoButton);
    QCOMPARE(f.view().hoveredCell(), 1);
    const QImage hovered = f.shot();
    const Rect box = inset(photoBox(cells[1], 100), 2);
    int changed = 0;
    for (int x = box.left; x < box.right; ++x)
        changed += hovered.pixelColor(x, box.top) != before.pixelColor(x, box.top);
    QVERIFY(changed > box.width() / 4);
}

void LayoutScreenTest::choosingLayoutsAndCategoriesChangesTheCells()
{
    Fixture f;
    f.addPhoto(kRed);
    f.addPhoto(kBlue);
    const std::vector<Rect> first = f.view().viewCells();

    // A click on the second band of the layout list chooses the second layout.
    LayoutListView& layouts = *f.frame->layoutListView();
    click(&layouts, { layouts.width() / 2, layouts.height() / 2 });
    QCOMPARE(f.app->layoutList().selected, 1);
    const std::vector<Rect> second = f.view().viewCells();
    QVERIFY(second != first);
    QVERIFY(near(f.shot().pixelColor(centre(shownPhoto(second[1], 100, { 120, 80 }))), kBlue));

    // One-size grids start with one cell over the whole grid: the blue photo stays in its slot
    // but is not shown, and comes back with a layout of more cells.
    f.chooseCategory(kOneSizeRow);
    QVERIFY(f.app->layoutList().oneSize);
    QCOMPARE(f.view().viewCells().size(), std::size_t(1));
    QImage shot = f.shot();
    QVERIFY(near(shot.pixelColor(centre(f.view().viewCells()[0])), kRed));
    QCOMPARE(count(shot, kBlue), 0);
    f.chooseCategory(kLandscapeRow);
    QCOMPARE(f.app->layoutList().selected, 0);
    QVERIFY(count(f.shot(), kBlue) > 100);

    // Free style has no layout list and no cells; its page shows only its objects.
    f.chooseCategory(kFreeStyleRow);
    QVERIFY(layouts.isHidden());
    QVERIFY(f.view().viewCells().empty());
    QCOMPARE(count(f.shot(), kRed), 0);
    f.app->layoutPage().addPhotoObject({ inset(f.view().printableRect(), 40), 0 });
    QVERIFY(near(f.shot().pixelColor(centre(f.view().printableRect())), kRed));
}

void LayoutScreenTest::clicksAndDragsActOnCells()
{
    Fixture f;
    f.addPhoto(kRed);
    LayoutPage& page = f.app->layoutPage();
    const std::vector<Rect> cells = f.view().viewCells();
    QCOMPARE(page.currentCell(), 1);

    click(&f.view(), centre(cells[0]));
    QCOMPARE(page.currentCell(), 0);
    // Outside every cell, or within 2 pixels of a cell's edge, a click changes nothing.
    click(&f.view(), { 1, 1 });
    click(&f.view(), { cells[2].left + 1, centre(cells[2]).y() });
    QCOMPARE(page.currentCell(), 0);

    // Dragging onto an empty cell copies the photo there, and the target becomes current.
    mouse(&f.view(), QEvent::MouseButtonPress, centre(cells[0]));
    mouse(&f.view(), QEvent::MouseButtonRelease, centre(cells[2]));
    QCOMPARE(page.photo(2), page.photo(0));
    QCOMPARE(page.currentCell(), 2);

    // A blue photo into cell 2; dragging cell 0 onto it exchanges the two.
    f.addPhoto(kBlue);
    const Image* blue = page.photo(2).get();
    mouse(&f.view(), QEvent::MouseButtonPress, centre(cells[0]));
    mouse(&f.view(), QEvent::MouseButtonRelease, centre(cells[2]));
    QCOMPARE(page.photo(0).get(), blue);
    QVERIFY(page.photo(2) && page.photo(2).get() != blue);
    QCOMPARE(f.app->documents().count(), std::size_t(2));

    // Delete empties the current cell; the red photo left every cell, so its document closes.
    QCOMPARE(page.currentCell(), 2);
    f.frame->runCommand(command::KeyDelete);
    QVERIFY(!page.photo(2));
    QCOMPARE(f.app->documents().count(), std::size_t(1));
    QVERIFY(near(f.shot().pixelColor(centre(shownPhoto(cells[0], 100, { 120, 80 }))), kBlue));
}

void LayoutScreenTest::layoutListScrollsByRowsAndCaptions()
{
    Fixture f;
    LayoutListView& layouts = *f.frame->layoutListView();
    LayoutList& list = f.app->layoutList();
    if (list.entries < 7)
        QSKIP("the landscape list of the fallback page is too short to scroll");

    click(&layouts, { layouts.width() / 2, layouts.height() / 2 });
    QCOMPARE(list.selected, 1);
    QVERIFY(layouts.scrollRows(1));
    QCOMPARE(layouts.firstRow(), 1);
    QCOMPARE(list.selected, 4);
    QCOMPARE(layouts.entryAt({ 5, 5 }), 3);
    QVERIFY(layouts.scrollRows(-1));
    QCOMPARE(list.selected, 1);
    QVERIFY(!layouts.scrollRows(-1));
    QCOMPARE(list.selected, 1);
    // The last row: the selection keeps its column unless the row is shorter.
    while (layouts.scrollRows(1)) { }
    QCOMPARE(layouts.firstRow(), list.displayRows - 1);
    QCOMPARE(list.selected, std::min((list.displayRows - 1) * 3 + 1, list.entries - 1));
    if (list.entries % 3 == 1)
        QCOMPARE(layouts.entryAt({ 5, layouts.height() - 5 }), -1);

    // Label sheets whose names begin with a digit show the name up to the comma on a plate.
    list.category = LayoutCategory::Labels;
    list.oneSize = false;
    SheetLayout sheet;
    sheet.cellWidth = sheet.cellHeight = sheet.pitchX = sheet.pitchY = 600;
    sheet.columns = sheet.rows = 2;
    sheet.name = "8, Small labels";
    list.sheets = { sheet, sheet };
    list.sheets[1].name = "Photo labels";
    list.entries = 2;
    list.selected = 1;
    list.displayRows = 1;
    layouts.reload();
    QCOMPARE(layouts.caption(0), QStringLiteral("8"));
    QCOMPARE(layouts.caption(1), QString());
    const QImage shot = layouts.grab().toImage();
    const Rect paper = layouts.miniaturePaper(0);
    const int plateLeft = paper.left + (paper.width() - 40) / 2;
    QCOMPARE(shot.pixelColor(plateLeft + 1, paper.bottom - 2), QColor(192, 192, 64));
    QVERIFY(shot.pixelColor(plateLeft - 3, paper.bottom - 2) != QColor(192, 192, 64));
    list.category = LayoutCategory::MyTemplates;
    QCOMPARE(layouts.caption(1), QStringLiteral(" 2 "));
}

void LayoutScreenTest::printsThePageWhereTheEngineSays()
{
    Fixture f;
    gfx::QtPrinterCatalog catalog;
    f.app->printer().setCatalog(&catalog);
    const std::filesystem::path output = f.dir / "page.png";
    PrinterChoice choice = gfx::filePrinter(gfx::kPngDriver, output.string());
    choice.mode.page = PageSpec { { 1200, 1530 }, 150, 150, { 1275, 1650 }, { 0, 0 } };
    f.app->printer().selection().setChoice(choice);

    // A page without photos beeps and prints nothing.
    f.frame->runCommand(command::KeyPrint);
    QCOMPARE(f.host.beeps, 1);
    QVERIFY(!std::filesystem::exists(output));

    f.addPhoto(kRed);
    f.addPhoto(kBlue, 80, 120);
    f.app->layoutPage().setPercent(80);
    QVERIFY(f.frame->printPage());
    const QImage page(QString::fromStdString(output.string()));
    QCOMPARE(page.size(), QSize(1200, 1530));

    const PageGeometry& geometry = f.app->printer().geometry();
    QCOMPARE(geometry.dpiX, 150);
    const LayoutList& list = f.app->layoutList();
    const std::vector<Rect> cells = printerCells(list, list.selected, geometry);
    const PageMargins margins = readPageMargins(f.app->settingsFile(), 150, 150);
    const Size sizes[] = { { 120, 80 }, { 80, 120 } };
    const QColor colours[] = { kRed, kBlue };
    for (int i = 0; i < 2; ++i) {
        Rect box = photoBox(cells[std::size_t(i)], 80);
        box = { box.left + margins.left, box.top + margins.top, box.right + margins.left, box.bottom + margins.top };
        const Rect photo = fitPhoto(box, sizes[i]);
        QVERIFY(near(page.pixelColor(centre(photo)), colours[i]));
        QVERIFY(near(page.pixelColor(photo.left + 2, photo.top + 2), colours[i]));
        QVERIFY(near(page.pixelColor(photo.right - 3, photo.bottom - 3), colours[i]));
        // Paper between the box and the cell's edge.
        QCOMPARE(page.pixelColor(cells[std::size_t(i)].left + margins.left + 3, centre(photo).y()), QColor(Qt::white));
    }
    QCOMPARE(page.pixelColor(centre(cells[2])), QColor(Qt::white));
}

void LayoutScreenTest::printerSetupMeasuresTheNewPage()
{
    Fixture f;
    gfx::QtPrinterCatalog catalog;
    f.app->printer().setCatalog(&catalog);
    PrinterChoice landscape = gfx::filePrinter(gfx::kPngDriver, (f.dir / "wide.png").string());
    landscape.mode.page = PageSpec { { 1530, 1200 }, 150, 150, { 1650, 1275 }, { 0, 0 } };

    f.host.printerChoices.push_back(std::nullopt);
    f.frame->runCommand(command::PrinterSetup);
    QCOMPARE(f.app->printer().geometry(), fallbackPageGeometry());

    f.host.printerChoices.push_back(landscape);
    f.frame->runCommand(command::PrinterSetup);
    QCOMPARE(f.app->printer().selection().choice()->names, landscape.names);
    QCOMPARE(f.app->printer().geometry().printableWidth, 1530);
    // The layouts are those of a ten by eight inch grid, and the page lies on its side.
    QCOMPARE(f.app->layoutList().gridColumns, 10);
    QCOMPARE(f.app->layoutList().gridRows, 8);
    const Rect paper = f.frame->pageView()->paperRect();
    QVERIFY(paper.width() > paper.height());
    QVERIFY(!std::filesystem::exists(f.dir / "wide.png"));
}

void LayoutScreenTest::printerDialogChoosesAQueueOrAPdfFile()
{
    const std::vector<DeviceNames> printers
        = { { gfx::kCupsDriver, "office", "Room 1" }, gfx::filePrinter(gfx::kPdfDriver, {}).names };
    {
        PrinterDialog dialog(nullptr, std::nullopt, printers);
        QCOMPARE(dialog.list()->count(), 2);
        QCOMPARE(dialog.list()->item(0)->text(), QStringLiteral("office on Room 1"));
        QCOMPARE(dialog.list()->item(1)->text(), QStringLiteral("Print to PDF file"));
        QCOMPARE(dialog.list()->currentRow(), 0);
        dialog.list()->setCurrentRow(1);
        dialog.chooseFile = [](const QString&) { return QStringLiteral("/tmp/out/page.pdf"); };
        const auto choice = dialog.selectedChoice();
        QVERIFY(choice);
        QCOMPARE(choice->names.driver, std::string(gfx::kPdfDriver));
        QCOMPARE(choice->names.port, std::string("/tmp/out/page.pdf"));
        dialog.chooseFile = [](const QString&) { return QString(); };
        QVERIFY(!dialog.selectedChoice());
    }
    {
        // A PDF file chosen before: the entry starts selected, proposes the file, keeps the settings.
        PrinterChoice current = gfx::filePrinter(gfx::kPdfDriver, "/tmp/old.pdf");
        current.mode.copies = 3;
        PrinterDialog dialog(nullptr, current, printers);
        QCOMPARE(dialog.list()->currentRow(), 1);
        QString proposed;
        dialog.chooseFile = [&](const QString& name) {
            proposed = name;
            return QStringLiteral("/tmp/new.pdf");
        };
        const auto choice = dialog.selectedChoice();
        QCOMPARE(proposed, QStringLiteral("/tmp/old.pdf"));
        QCOMPARE(choice->mode.copies, 3);
        QCOMPARE(choice->names.port, std::string("/tmp/new.pdf"));
    }
    {
        // The current queue keeps its settings; a queue that has gone gives nothing.
        PrinterChoice current { printers[0], {} };
        current.mode.orientation = Orientation::Landscape;
        PrinterDialog dialog(nullptr, current, { printers[0], { gfx::kCupsDriver, "gone-queue-4711", "" } });
        QCOMPARE(dialog.list()->currentRow(), 0);
        QCOMPARE(dialog.selectedChoice(), std::optional(current));
        dialog.list()->setCurrentRow(1);
        QVERIFY(!dialog.selectedChoice());
    }
}

void LayoutScreenTest::printingWindowReportsCancel()
{
    QtHost host;
    host.showPrintingWindow("  0% Done");
    PrintingWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* printing = qobject_cast<PrintingWindow*>(widget); printing && printing->isVisible())
            window = printing;
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Printing"));
    QCOMPARE(window->progress(), QStringLiteral("  0% Done"));
    host.setPrintingProgress(" 40% done");
    QCOMPARE(window->progress(), QStringLiteral(" 40% done"));
    QVERIFY(!host.processPrintingEvents());
    window->cancelButton()->click();
    QVERIFY(host.processPrintingEvents());
    QVERIFY(host.processPrintingEvents());
    host.closePrintingWindow();
    QVERIFY(!window->isVisible());
    // The next job starts without the old Cancel.
    host.showPrintingWindow("  0% Done");
    QVERIFY(!host.processPrintingEvents());
    host.closePrintingWindow();
}

void LayoutScreenTest::photoCacheFollowsReplacedPhotos()
{
    PhotoCache cache;
    auto red = std::make_shared<Image>(solid(40, 20, kRed));
    const qint64 key = cache.picture(red, { 20, 10 }).cacheKey();
    QCOMPARE(cache.picture(red, { 20, 10 }).cacheKey(), key);
    QCOMPARE(cache.picture(red, { 20, 10 }).size(), QSize(20, 10));
    QVERIFY(near(cache.picture(red, { 20, 10 }).pixelColor(10, 5), kRed));
    cache.sweep();

    // A new photo (possibly at the old one's address) never shows the old picture.
    red.reset();
    auto blue = std::make_shared<Image>(solid(40, 20, kBlue));
    QVERIFY(near(cache.picture(blue, { 20, 10 }).pixelColor(10, 5), kBlue));
    cache.sweep();
    QCOMPARE(cache.size(), std::size_t(1));
    cache.sweep();
    QCOMPARE(cache.size(), std::size_t(0));
}

void LayoutScreenTest::printDialogShowsAndSetsTheModel()
{
    // 3000 × 2000 pixels on a 600 dpi printer with 8 × 10.5 inches: 375 dpi is the least that
    // fits, so the bar starts at 38 and the photo at 380 dpi.
    PrintDialogModel model;
    model.open({ 3000, 2000 }, 0, 600, { 4800, 6300 });
    PrintDialog dialog(nullptr, model, gfx::toQImage(solid(30, 20, kRed)), QStringLiteral("office on Room 1"),
        QStringLiteral("beach.bmp"), QStringLiteral(","));
    dialog.resize(400, 600);
    dialog.show();
    QCOMPARE(dialog.resolutionBar()->minimum(), 38);
    QCOMPARE(dialog.resolutionBar()->maximum(), 100);
    QCOMPARE(dialog.resolutionText()->text(), QStringLiteral("380"));
    QCOMPARE(dialog.sizeText()->text(), QString::fromStdString(model.sizeText(",")));
    QVERIFY(dialog.sizeText()->text().contains(QStringLiteral("7,9")));
    dialog.resolutionBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(model.resolution(), 430);
    QCOMPARE(dialog.resolutionText()->text(), QStringLiteral("430"));
    dialog.resolutionBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(model.resolution(), 380);

    // Dragging the photo in the preview unticks both centring boxes; ticking one centres again.
    QVERIFY(dialog.centerXBox()->isChecked() && dialog.centerYBox()->isChecked());
    PrintPreview& preview = *dialog.preview();
    const QPoint inside = preview.frame().topLeft() + QPoint(model.photoBox().left + 3, model.photoBox().top + 3);
    const Rect before = model.photoBox();
    mouse(&preview, QEvent::MouseButtonPress, inside);
    mouse(&preview, QEvent::MouseMove, inside + QPoint(-2, 6), Qt::LeftButton);
    mouse(&preview, QEvent::MouseButtonRelease, inside + QPoint(-2, 6));
    QVERIFY(!dialog.centerXBox()->isChecked() && !dialog.centerYBox()->isChecked());
    QVERIFY(!(model.photoBox() == before));
    dialog.centerXBox()->setChecked(true);
    QVERIFY(model.centerX() && !model.centerY());

    dialog.copiesField()->setText(QStringLiteral("0"));
    dialog.descriptionField()->setText(QString(40, QLatin1Char('d')));
    dialog.accept();
    QCOMPARE(model.copies, 1);
    QCOMPARE(model.description, std::string(31, 'd'));
}

void LayoutScreenTest::printCommandPrintsThePhotoThroughTheDialog()
{
    Fixture f;
    gfx::QtPrinterCatalog catalog;
    f.app->printer().setCatalog(&catalog);
    const std::filesystem::path output = f.dir / "photo.png";
    PrinterChoice choice = gfx::filePrinter(gfx::kPngDriver, output.string());
    choice.mode.page = PageSpec { { 1200, 1500 }, 150, 150, { 1200, 1500 }, { 0, 0 } };
    f.app->printer().selection().setChoice(choice);

    // Without a photo the command only beeps.
    f.frame->runCommand(command::Print);
    QCOMPARE(f.host.beeps, 1);

    // A 300 × 150 photo with no resolution of its own at the dialog's first 300 dpi: one inch by
    // half an inch, centred.
    f.addPhoto(kRed, 300, 150);
    int dialogs = 0;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<PrintDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            dialog->accept();
        }
    });
    f.frame->runCommand(command::Print);
    QCOMPARE(dialogs, 1);
    const QImage page(QString::fromStdString(output.string()));
    QCOMPARE(page.size(), QSize(1200, 1500));
    QVERIFY(near(page.pixelColor(600, 750), kRed));
    QVERIFY(near(page.pixelColor(600 - 70, 750 - 33), kRed));
    QCOMPARE(page.pixelColor(600 - 80, 750), QColor(Qt::white));
    QCOMPARE(page.pixelColor(600, 750 - 40), QColor(Qt::white));
}

QTEST_MAIN(LayoutScreenTest)
