// Printer Setup's paper size and orientation: the sizes offered for a PDF file and for a CUPS
// queue, where the choice starts, and the page the chosen printer then measures.

#include "dialogs/PrinterDialog.h"
#include "gfx/QtPrinterCatalog.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

using namespace gp;
using namespace gp::ui;

class PrinterSetupTest : public QObject {
    Q_OBJECT
private slots:
    void pdfFileTakesThePaperAndOrientation();
    void aQueueOffersItsOwnPapersAndMeasuresTheChosenOne();
};

void PrinterSetupTest::pdfFileTakesThePaperAndOrientation()
{
    const std::vector<DeviceNames> printers = { gfx::filePrinter(gfx::kPdfDriver, {}).names };
    PrinterDialog dialog(nullptr, std::nullopt, printers);
    dialog.chooseFile = [](const QString&) { return QStringLiteral("/tmp/page.pdf"); };
    // A new file printer starts on the locale's paper, upright.
    QCOMPARE(dialog.paper()->currentData().toString(), gfx::localePaper().key());
    QVERIFY(!dialog.landscape()->isChecked());
    const int a5 = dialog.paper()->findData(QPageSize(QPageSize::A5).key());
    QVERIFY(a5 >= 0);
    QVERIFY(dialog.paper()->findData(QPageSize(QSizeF(4, 6), QPageSize::Inch).key()) >= 0);
    dialog.paper()->setCurrentIndex(a5);
    dialog.landscape()->setChecked(true);
    const auto choice = dialog.selectedChoice();
    QVERIFY(choice);
    QCOMPARE(choice->mode.paperName, std::string("A5"));
    QCOMPARE(choice->mode.orientation, Orientation::Landscape);
    // The file's page is A5 on its side at 600 dpi: 210 x 148 mm, within the whole point
    // (8 pixels) in which the standard sizes are kept.
    const PageSpec page = gfx::filePrinterPage(choice->mode);
    QVERIFY2(qAbs(page.paper.width - 4961) <= 8, qPrintable(QString::number(page.paper.width)));
    QVERIFY2(qAbs(page.paper.height - 3496) <= 8, qPrintable(QString::number(page.paper.height)));

    // Chosen again, the dialog starts where the user left it; an exact page set before (by the
    // command-line tool) gives way to the chosen paper.
    PrinterChoice current = *choice;
    current.mode.page = PageSpec { { 100, 100 }, 600, 600, { 100, 100 }, {} };
    PrinterDialog again(nullptr, current, printers);
    again.chooseFile = dialog.chooseFile;
    QCOMPARE(again.paper()->currentIndex(), a5);
    QVERIFY(again.landscape()->isChecked());
    again.paper()->setCurrentIndex(again.paper()->findData(QPageSize(QPageSize::Letter).key()));
    const auto letter = again.selectedChoice();
    QVERIFY(letter && !letter->mode.page);
    QCOMPARE(gfx::filePrinterPage(letter->mode).paper.width, 6600);
}

void PrinterSetupTest::aQueueOffersItsOwnPapersAndMeasuresTheChosenOne()
{
    const QByteArray queue = qgetenv("GLIMMER_TEST_CUPS_QUEUE");
    if (queue.isEmpty())
        QSKIP("GLIMMER_TEST_CUPS_QUEUE is not set: no CUPS queue to set up");
    auto start = gfx::queuePrinter(queue.toStdString());
    QVERIFY(start);
    gfx::QtPrinterCatalog catalog;
    PrinterDialog dialog(nullptr, std::nullopt, catalog.printers());
    const auto rows = dialog.list()->findItems(QString::fromUtf8(queue), Qt::MatchStartsWith);
    QVERIFY(!rows.isEmpty());
    dialog.list()->setCurrentItem(rows.first());
    // The queue's own sizes, starting on its default.
    QVERIFY(dialog.paper()->count() > 1);
    QCOMPARE(dialog.paper()->currentData().toString().toStdString(), start->mode.paperName);
    const int letter = dialog.paper()->findData(QPageSize(QPageSize::Letter).key());
    const int a4 = dialog.paper()->findData(QPageSize(QPageSize::A4).key());
    if (letter < 0 || a4 < 0)
        QSKIP("the test queue offers neither Letter nor A4");

    dialog.paper()->setCurrentIndex(letter);
    const auto portrait = dialog.selectedChoice();
    dialog.paper()->setCurrentIndex(a4);
    dialog.landscape()->setChecked(true);
    const auto wide = dialog.selectedChoice();
    QVERIFY(portrait && wide);
    const auto letterDevice = catalog.createDevice(*portrait);
    const auto a4Device = catalog.createDevice(*wide);
    QVERIFY(letterDevice && a4Device);
    // Letter is 8.5 inches across; A4 on its side is 297 mm across.
    QCOMPARE(letterDevice->paperSize().width * 100 / letterDevice->resolutionX(), 850);
    QCOMPARE(a4Device->paperSize().width * 254 / a4Device->resolutionX() / 10, 297);
    QVERIFY(a4Device->paperSize().width > a4Device->paperSize().height);
}

QTEST_MAIN(PrinterSetupTest)
#include "PrinterSetupTest.moc"
