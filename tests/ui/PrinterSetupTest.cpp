// Printer Setup's paper size, orientation and a queue's own options: the sizes offered for a PDF
// file and for a CUPS queue, where the choice starts, the page the chosen printer then measures,
// and the options the queue's job carries.

#include "dialogs/PrinterDialog.h"
#include "QtRequire.h"
#include "gfx/QtPrinterCatalog.h"
#include "gfx/QueueOptions.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <cups/cups.h>
#include <map>

using namespace gp;
using namespace gp::ui;

class PrinterSetupTest : public QObject {
    Q_OBJECT
private slots:
    void pdfFileTakesThePaperAndOrientation();
    void aQueueOffersItsOwnPapersAndMeasuresTheChosenOne();
    void aQueuesDriverOptionsReachItsJob();
    void unknownQueuesAndResolutionChoices();
};

namespace {

// The named attributes of the newest job on the queue with the title, as the scheduler keeps
// them; empty when there is no such job.
std::map<std::string, std::string> jobAttributes(
    const std::string& queue, const std::string& title, const std::vector<const char*>& names)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    int id = 0;
    for (int i = 0; i < count; ++i)
        if (jobs[i].title && title == jobs[i].title)
            id = std::max(id, jobs[i].id);
    cupsFreeJobs(count, jobs);
    std::map<std::string, std::string> found;
    if (id == 0)
        return found;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(names.size()), nullptr,
        names.data());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    for (const char* name : names)
        if (ipp_attribute_t* attribute = response ? ippFindAttribute(response, name, IPP_TAG_ZERO) : nullptr)
            if (const char* value = ippGetString(attribute, 0, nullptr))
                found[name] = value;
    ippDelete(response);
    return found;
}

// Selects the queue's row in the dialog.
bool selectQueue(PrinterDialog& dialog, const QByteArray& queue)
{
    const auto rows = dialog.list()->findItems(QString::fromUtf8(queue), Qt::MatchStartsWith);
    if (rows.isEmpty())
        return false;
    dialog.list()->setCurrentItem(rows.first());
    return true;
}

} // namespace

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
    GLIMMER_QREQUIRE(!queue.isEmpty(), std::string("GLIMMER_TEST_CUPS_QUEUE is not set: no CUPS queue to set up"));
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

void PrinterSetupTest::aQueuesDriverOptionsReachItsJob()
{
    const QByteArray queue = qgetenv("GLIMMER_TEST_CUPS_QUEUE");
    GLIMMER_QREQUIRE(!queue.isEmpty(), std::string("GLIMMER_TEST_CUPS_QUEUE is not set: no CUPS queue to set up"));
    gfx::QtPrinterCatalog catalog;
    PrinterDialog dialog(nullptr, std::nullopt, catalog.printers());
    QVERIFY(selectQueue(dialog, queue));
    // The driver's options, each on its default; the page size is the paper list's alone.
    QVERIFY(!dialog.optionsBox()->isHidden());
    QVERIFY(!dialog.option(QStringLiteral("PageSize")) && !dialog.option(QStringLiteral("PageRegion")));
    QComboBox* source = dialog.option(QStringLiteral("InputSlot"));
    QComboBox* media = dialog.option(QStringLiteral("MediaType"));
    QComboBox* quality = dialog.option(QStringLiteral("Resolution"));
    QComboBox* colour = dialog.option(QStringLiteral("ColorModel"));
    QVERIFY(source && media && quality && colour);
    QCOMPARE(source->currentData().toString(), QStringLiteral("Main"));
    QCOMPARE(source->currentText(), QStringLiteral("Main Tray"));
    QCOMPARE(media->currentData().toString(), QStringLiteral("Plain"));
    QCOMPARE(quality->currentData().toString(), QStringLiteral("300dpi"));
    QVERIFY(dialog.option(QStringLiteral("PDFVer")));

    source->setCurrentIndex(source->findData(QStringLiteral("Photo")));
    media->setCurrentIndex(media->findData(QStringLiteral("Glossy")));
    quality->setCurrentIndex(quality->findData(QStringLiteral("600dpi")));
    colour->setCurrentIndex(colour->findData(QStringLiteral("Gray")));
    const auto choice = dialog.selectedChoice();
    QVERIFY(choice);
    QCOMPARE(choice->mode.options.at("InputSlot"), std::string("Photo"));
    QCOMPARE(choice->mode.options.at("MediaType"), std::string("Glossy"));
    QCOMPARE(choice->mode.resolution, 600);

    // Opened again on that choice, the dialog shows it; the PDF file has no driver options.
    PrinterDialog again(nullptr, choice, catalog.printers());
    QCOMPARE(again.option(QStringLiteral("InputSlot"))->currentData().toString(), QStringLiteral("Photo"));
    QCOMPARE(again.option(QStringLiteral("ColorModel"))->currentData().toString(), QStringLiteral("Gray"));
    again.list()->setCurrentRow(again.list()->count() - 1);
    QVERIFY(again.optionsBox()->isHidden() && !again.option(QStringLiteral("InputSlot")));

    // The page is measured at the chosen resolution, and the job carries every option.
    const auto device = catalog.createDevice(*choice);
    QVERIFY(device);
    QCOMPARE(device->resolutionX(), 600);
    QCOMPARE(qRound(device->paperSize().width * 25.4 / 600), 210);
    const std::string title = "options-" + std::to_string(QCoreApplication::applicationPid());
    QVERIFY(device->startDocument(title) > 0);
    QVERIFY(device->startPage() > 0);
    QVERIFY(device->endPage() > 0);
    QVERIFY(device->endDocument() > 0);
    const auto job = jobAttributes(
        queue.toStdString(), title, { "InputSlot", "MediaType", "Resolution", "ColorModel", "PDFVer" });
    QCOMPARE(job.size(), std::size_t(5));
    QCOMPARE(job.at("InputSlot"), std::string("Photo"));
    QCOMPARE(job.at("MediaType"), std::string("Glossy"));
    QCOMPARE(job.at("Resolution"), std::string("600dpi"));
    QCOMPARE(job.at("ColorModel"), std::string("Gray"));
}

void PrinterSetupTest::unknownQueuesAndResolutionChoices()
{
    // A queue that does not exist, or no queue at all, offers no options (and does not hang).
    QVERIFY(gfx::queueOptions("no-such-queue-" + std::to_string(QCoreApplication::applicationPid())).empty());
    QVERIFY(gfx::queueOptions("").empty());

    QCOMPARE(gfx::resolutionOfChoice("600dpi"), 600);
    QCOMPARE(gfx::resolutionOfChoice("1200x600dpi"), 1200);
    // Dots per centimetre, a bare word, a bare figure and an empty choice measure nothing.
    QCOMPARE(gfx::resolutionOfChoice("236dpcm"), 0);
    QCOMPARE(gfx::resolutionOfChoice("dpi"), 0);
    QCOMPARE(gfx::resolutionOfChoice("600"), 0);
    QCOMPARE(gfx::resolutionOfChoice(""), 0);
    QCOMPARE(gfx::resolutionOfChoice("-300dpi"), 0);
}

QTEST_MAIN(PrinterSetupTest)
#include "PrinterSetupTest.moc"
